#pragma once

#include "app/WindowModule.h"

namespace qor {

// The data source dialog: a data source, or else a driver and a server, with a user id, a
// password and a database, composed into a connection string shown as sample code.
class frmODBCLogon : public BoundModule<frmODBCLogon> {
public:
    using BoundModule::BoundModule;

    static WindowDescription describe();
    static const std::vector<Binding<frmODBCLogon>> bindings;

    void Form_Load();
    void GetDSNsAndDrivers();
    void cboDSNList_Click();
    void cmdCancel_Click();
    void cmdOK_Click();

private:
    ComboBox& cboDSNList = Me.comboBox("cboDSNList");
    ComboBox& cboDrivers = Me.comboBox("cboDrivers");
    TextBox& txtServer = Me.textBox("txtServer");
    TextBox& txtUID = Me.textBox("txtUID");
    TextBox& txtPWD = Me.textBox("txtPWD");
    TextBox& txtDatabase = Me.textBox("txtDatabase");
};

} // namespace qor
