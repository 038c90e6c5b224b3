#pragma once

#include "app/DriverManager.h"
#include "ui/ListControls.h"

namespace qor {

// The first item of the data source list; choosing it means a connection through a driver and a
// server instead of a data source.
inline const QString noDataSourceItem = QStringLiteral("(None)");

// Fills the data source list with "(None)" and the name of every data source the driver manager
// knows, and the driver list with their distinct driver descriptions, then selects the first data
// source item. Runs in skip-on-failure mode: no failure leaves it.
void GetDSNsAndDrivers(DriverManager& driverManager, ComboList& dsnList, ComboList& drivers);

// The data source list's click handler: the driver and server fields are for "(None)" only.
// Runs in skip-on-failure mode.
void cboDSNList_Click(ComboList& dsnList, ComboList& drivers, TextField& server);

} // namespace qor
