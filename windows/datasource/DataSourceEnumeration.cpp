#include "windows/datasource/DataSourceEnumeration.h"

#include "windows/datasource/SkipOnFailure.h"

#include <algorithm>
#include <array>

namespace qor {

namespace {

using skipOnFailure::action;
using skipOnFailure::test;

constexpr int bufferSize = 1024;
constexpr int finished = 0;

using NarrowBuffer = std::array<char, bufferSize>;

// A length that the driver manager reports beyond the buffer (truncation) or below zero counts
// as the whole buffer or nothing, so the current text and the blank text agree in length.
int heldBytes(std::int16_t length) {
    return std::clamp<int>(length, 0, bufferSize);
}

// The leftmost (length) bytes, cut back to the start of a character so that a multi-byte
// character is never split: a length that ends inside one drops the whole character.
QString leftmostText(const NarrowBuffer& buffer, std::int16_t length) {
    int end = heldBytes(length);
    const auto isContinuationByte = [&](int at) {
        return (static_cast<unsigned char>(buffer[at]) & 0xC0) == 0x80;
    };
    while (end > 0 && end < bufferSize && isContinuationByte(end))
        --end;
    return QString::fromUtf8(buffer.data(), end);
}

QString blankText(std::int16_t length) {
    return QString(heldBytes(length), QLatin1Char(' '));
}

std::int16_t nextPosition(std::int16_t position) {
    if (position >= 32767)
        throw Failure("Overflow");
    return static_cast<std::int16_t>(position + 1);
}

} // namespace

void GetDSNsAndDrivers(DriverManager& driverManager, ComboList& dsnList, ComboList& drivers) {
    NarrowBuffer nameBuffer;
    NarrowBuffer descriptionBuffer;
    EnvironmentHandle environment = nullptr;
    bool environmentAllocated = false;
    std::int16_t returnCode = odbc::Success;
    std::int16_t nameLength = 0;
    std::int16_t descriptionLength = 0;
    QString currentName;
    QString currentDescription;
    std::int16_t position = 0;

    int step = 3;
    while (step != finished) {
        switch (step) {
        case 3:
            step = action(4, [&] { dsnList.AddItem(noDataSourceItem); });
            break;
        case 4:
            step = test(5, 14, [&] {
                environmentAllocated = driverManager.SQLAllocEnv(&environment) != odbc::Error;
                return environmentAllocated;
            });
            break;
        case 5:
            step = test(6, 14, [&] { return returnCode == odbc::Success; });
            break;
        case 6:
            step = action(7, [&] { nameBuffer.fill(' '); });
            break;
        case 7:
            step = action(8, [&] { descriptionBuffer.fill(' '); });
            break;
        case 8:
            // Preset as failed: a fetch that cannot run at all must end the loop, or a driver
            // manager that is not loaded would keep the loop test true forever.
            step = action(9, [&] {
                returnCode = odbc::Error;
                returnCode = driverManager.SQLDataSources(
                    environment, odbc::FetchNext, nameBuffer.data(), bufferSize, &nameLength,
                    descriptionBuffer.data(), bufferSize, &descriptionLength);
            });
            break;
        case 9:
            step = action(10, [&] { currentName = leftmostText(nameBuffer, nameLength); });
            break;
        case 10:
            step = action(11, [&] {
                currentDescription = leftmostText(descriptionBuffer, descriptionLength);
            });
            break;
        case 11:
            // A fetch that delivers nothing leaves only spaces where the name stood.
            step = test(12, 5, [&] { return currentName != blankText(nameLength); });
            break;
        case 12:
            step = action(13, [&] { dsnList.AddItem(currentName); });
            break;
        case 13:
            step = action(5, [&] { drivers.AddItem(currentDescription); });
            break;
        case 14:
            step = test(15, 21, [&] { return dsnList.ListCount() > 0; });
            break;
        case 15:
            step = test(16, 21, [&] { return drivers.ListCount() > 1; });
            break;
        case 16:
            step = action(17, [&] { position = 0; });
            break;
        case 17:
            step = test(18, 21, [&] { return position < drivers.ListCount(); });
            break;
        case 18:
            step = test(19, 20, [&] {
                return drivers.List(position) == drivers.List(nextPosition(position));
            });
            break;
        case 19:
            step = action(17, [&] { drivers.RemoveItem(position); });
            break;
        case 20:
            step = action(17, [&] { position = nextPosition(position); });
            break;
        case 21:
            step = action(finished, [&] { dsnList.setListIndex(0); });
            break;
        }
    }

    // The environment was only needed for the fetches; keeping it would leak one per load.
    if (environmentAllocated)
        action(finished, [&] { driverManager.SQLFreeEnv(environment); });
}

void cboDSNList_Click(ComboList& dsnList, ComboList& drivers, TextField& server) {
    int step = 1;
    while (step != finished) {
        switch (step) {
        case 1:
            step = test(2, 4, [&] { return dsnList.Text() == noDataSourceItem; });
            break;
        case 2:
            step = action(3, [&] { server.setEnabled(true); });
            break;
        case 3:
            step = action(finished, [&] { drivers.setEnabled(true); });
            break;
        case 4:
            step = action(5, [&] { server.setEnabled(false); });
            break;
        case 5:
            step = action(finished, [&] { drivers.setEnabled(false); });
            break;
        }
    }
}

} // namespace qor
