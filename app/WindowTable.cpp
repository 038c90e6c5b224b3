#include "app/WindowTable.h"

#include "windows/datasource/frmODBCLogon.h"
#include "windows/main/Form1.h"

namespace qor {

std::vector<WindowType> allWindowTypes() {
    return {
        windowType<Form1>(WindowName::Form1),
        {WindowName::Frmprogress, nullptr},
        {WindowName::frmSplash, nullptr},
        {WindowName::frmSplash1, nullptr},
        {WindowName::frmLogin, nullptr},
        {WindowName::Form3, nullptr},
        {WindowName::Form4, nullptr},
        {WindowName::Form5, nullptr},
        windowType<frmODBCLogon>(WindowName::frmODBCLogon),
        {WindowName::form6, nullptr},
    };
}

} // namespace qor
