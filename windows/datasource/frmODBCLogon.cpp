#include "windows/datasource/frmODBCLogon.h"

#include "app/WindowRegistry.h"
#include "windows/datasource/ConnectionString.h"
#include "windows/datasource/DataSourceEnumeration.h"

namespace qor {

WindowDescription frmODBCLogon::describe() {
    using enum ControlKind;
    return {.name = "frmODBCLogon",
            .caption = "ODBC Logon",
            .clientWidth = 4470,
            .clientHeight = 3180,
            .backColor = colors::highlight,
            .borderStyle = BorderStyle::FixedDialog,
            .startUpPosition = StartUpPosition::CenterScreen,
            .controls = {
                {.name = "cmdOK",
                 .kind = Button,
                 .caption = "&OK",
                 .box = {915, 2655, 1440, 450},
                 .tabIndex = 12},
                {.name = "cmdCancel",
                 .kind = Button,
                 .caption = "Cancel",
                 .box = {2520, 2655, 1440, 450},
                 .tabIndex = 13,
                 .isCancel = true},
                // The frame's children stand relative to the frame, in tab order: each label
                // comes just before the field its access key leads to.
                {.name = "fraStep3",
                 .kind = Frame,
                 .index = 0,
                 .caption = "Connection Values",
                 .box = {120, 120, 4230, 2415},
                 .tabIndex = 14,
                 .children =
                     {
                         {.name = "lblStep3",
                          .kind = Label,
                          .index = 1,
                          .caption = "&DSN:",
                          .box = {135, 285, 390, 195},
                          .tabIndex = 0},
                         {.name = "cboDSNList",
                          .kind = ComboBox,
                          .box = {1125, 240, 3000, 315},
                          .tabIndex = 1},
                         {.name = "lblStep3",
                          .kind = Label,
                          .index = 2,
                          .caption = "&UID:",
                          .box = {135, 630, 330, 195},
                          .tabIndex = 2},
                         {.name = "txtUID",
                          .kind = TextBox,
                          .box = {1125, 600, 3015, 300},
                          .tabIndex = 3},
                         {.name = "lblStep3",
                          .kind = Label,
                          .index = 3,
                          .caption = "&Password:",
                          .box = {135, 975, 735, 195},
                          .tabIndex = 4},
                         // No password character: the password shows in clear.
                         {.name = "txtPWD",
                          .kind = TextBox,
                          .box = {1125, 930, 3015, 300},
                          .tabIndex = 5},
                         {.name = "lblStep3",
                          .kind = Label,
                          .index = 4,
                          .caption = "Data&base:",
                          .box = {135, 1320, 735, 195},
                          .tabIndex = 6},
                         {.name = "txtDatabase",
                          .kind = TextBox,
                          .box = {1125, 1260, 3015, 300},
                          .tabIndex = 7},
                         {.name = "lblStep3",
                          .kind = Label,
                          .index = 5,
                          .caption = "Dri&ver:",
                          .box = {135, 1665, 465, 195},
                          .tabIndex = 8},
                         {.name = "cboDrivers",
                          .kind = ComboBox,
                          .box = {1125, 1590, 3015, 315},
                          .tabIndex = 9,
                          .enabled = false},
                         {.name = "lblStep3",
                          .kind = Label,
                          .index = 6,
                          .caption = "&Server:",
                          .box = {135, 2010, 510, 195},
                          .tabIndex = 10},
                         {.name = "txtServer",
                          .kind = TextBox,
                          .box = {1125, 1935, 3015, 330},
                          .tabIndex = 11,
                          .enabled = false},
                     }},
            }};
}

const std::vector<Binding<frmODBCLogon>> frmODBCLogon::bindings = {
    {"Form", Event::Load, &frmODBCLogon::Form_Load},
    {"cboDSNList", Event::Click, &frmODBCLogon::cboDSNList_Click},
    {"cmdCancel", Event::Click, &frmODBCLogon::cmdCancel_Click},
    {"cmdOK", Event::Click, &frmODBCLogon::cmdOK_Click},
};

void frmODBCLogon::Form_Load() {
    GetDSNsAndDrivers();
}

// Fills both lists from the driver manager and selects the first data source item, which raises
// cboDSNList_Click.
void frmODBCLogon::GetDSNsAndDrivers() {
    qor::GetDSNsAndDrivers(services.driverManager, cboDSNList, cboDrivers);
}

void frmODBCLogon::cboDSNList_Click() {
    qor::cboDSNList_Click(cboDSNList, cboDrivers, txtServer);
}

void frmODBCLogon::cmdCancel_Click() {
    registry.Unload(WindowName::frmODBCLogon);
}

// The sample code goes out under the application title: the box is given no title of its own.
void frmODBCLogon::cmdOK_Click() {
    const ConnectionSettings settings =
        readConnectionSettings(cboDSNList, cboDrivers, txtServer, txtUID, txtPWD, txtDatabase);
    services.messages.show(composeSampleCode(composeConnectionString(settings)), MessageStyle::Ok);
}

} // namespace qor
