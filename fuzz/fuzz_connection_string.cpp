#include "fuzz/FuzzCheck.h"
#include "windows/datasource/ConnectionString.h"

#include <QList>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <utility>

using qor::fuzz::require;

namespace {

using Attribute = std::pair<QString, QString>;

// Reads the string back as a driver manager would: "keyword=value;" pairs, a value in braces
// running to the first "}" that is not doubled. Nothing if the string does not read cleanly.
std::optional<QList<Attribute>> readAttributes(const QString& text) {
    QList<Attribute> attributes;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype equals = text.indexOf(u'=', at);
        if (equals < 0)
            return std::nullopt;
        const QString keyword = text.mid(at, equals - at);
        at = equals + 1;
        QString value;
        if (at < text.size() && text[at] == u'{') {
            ++at;
            for (;;) {
                if (at >= text.size())
                    return std::nullopt;
                if (text[at] == u'}') {
                    if (at + 1 < text.size() && text[at + 1] == u'}') {
                        value += u'}';
                        at += 2;
                        continue;
                    }
                    ++at;
                    break;
                }
                value += text[at++];
            }
            if (at >= text.size() || text[at] != u';')
                return std::nullopt;
        } else {
            const qsizetype semicolon = text.indexOf(u';', at);
            if (semicolon < 0)
                return std::nullopt;
            value = text.mid(at, semicolon - at);
            at = semicolon;
        }
        ++at;
        attributes.append({keyword, value});
    }
    return attributes;
}

QList<Attribute> expectedAttributes(const qor::ConnectionSettings& settings) {
    QList<Attribute> attributes{{QStringLiteral("PROVIDER"), QStringLiteral("MSDASQL")}};
    if (settings.position > 0) {
        attributes.append({QStringLiteral("DSN"), settings.dataSource});
    } else {
        attributes.append({QStringLiteral("Driver"), settings.driver});
        attributes.append({QStringLiteral("Server"), settings.server});
    }
    attributes.append({QStringLiteral("UID"), settings.uid});
    attributes.append({QStringLiteral("PWD"), settings.pwd});
    if (!settings.database.isEmpty())
        attributes.append({QStringLiteral("Database"), settings.database});
    return attributes;
}

void checkConnectionString(const qor::ConnectionSettings& settings, const QString& composed) {
    require(composed.startsWith(QLatin1String("PROVIDER=MSDASQL;")),
            "the string starts with the provider");
    require(composed.endsWith(u';'), "every attribute ends with a semicolon");
    const auto attributes = readAttributes(composed);
    require(attributes.has_value(), "the string reads back cleanly");
    require(*attributes == expectedAttributes(settings),
            "reading the string back gives every value exactly as entered");
    for (const auto& [keyword, value] : expectedAttributes(settings)) {
        if (value.contains(u';'))
            require(composed.contains(keyword + QStringLiteral("={") +
                                      QString(value).replace(u'}', QStringLiteral("}}")) +
                                      QStringLiteral("};")),
                    "a value with a semicolon is braced");
    }
}

// Line 3 is one string literal whose doubled quotes stand for one: reading it back gives the
// connection string, and the other lines are fixed.
void checkSampleCode(const QString& composed, const QString& sample) {
    const qsizetype quotes = composed.count(u'"');
    require(sample.size() == 319 + composed.size() + quotes,
            "the sample is 319 characters and the string with its quotes doubled");
    const QString before = QStringLiteral("To open an ADO Connection, use:\r\n"
                                          "Set gConnection = New Connection\r\n"
                                          "gConnection.Open \"");
    require(sample.startsWith(before), "the first lines are fixed");
    QString literal;
    qsizetype at = before.size();
    for (;;) {
        require(at < sample.size(), "the string literal is closed");
        if (sample[at] == u'"') {
            if (at + 1 < sample.size() && sample[at + 1] == u'"') {
                literal += u'"';
                at += 2;
                continue;
            }
            ++at;
            break;
        }
        literal += sample[at++];
    }
    require(literal == composed, "the string literal holds the connection string");
    require(sample.mid(at).startsWith(QLatin1String("\r\n\r\nTo open a DAO database object")),
            "the literal ends line 3");
}

} // namespace

// The first byte is the data source list's position (signed); the rest are the data source,
// driver, server, user id, password and database, one a line.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QStringList fields = qor::fuzz::utf8Text(data + 1, size - 1).split(u'\n');
    qor::ConnectionSettings settings;
    settings.position = std::int16_t(std::int8_t(data[0]));
    settings.dataSource = fields.value(0);
    settings.driver = fields.value(1);
    settings.server = fields.value(2);
    settings.uid = fields.value(3);
    settings.pwd = fields.value(4);
    settings.database = fields.value(5);

    const QString composed = qor::composeConnectionString(settings);
    checkConnectionString(settings, composed);
    checkSampleCode(composed, qor::composeSampleCode(composed));
    return 0;
}
