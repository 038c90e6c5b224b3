#include "app/WindowTable.h"

#include "windows/main/Form1.h"
#include "windows/options/Form3.h"
#include "windows/options/frmLogin.h"

namespace qor {

std::vector<WindowType> allWindowTypes() {
    return {
        windowType<Form1>(WindowName::Form1),
        {WindowName::Frmprogress, nullptr},
        {WindowName::frmSplash, nullptr},
        {WindowName::frmSplash1, nullptr},
        windowType<frmLogin>(WindowName::frmLogin),
        windowType<Form3>(WindowName::Form3),
        {WindowName::Form4, nullptr},
        {WindowName::Form5, nullptr},
        {WindowName::frmODBCLogon, nullptr},
        {WindowName::form6, nullptr},
    };
}

} // namespace qor
