#include "app/WindowTable.h"

#include "windows/main/Form1.h"
#include "windows/tools/Frmprogress.h"

namespace qor {

std::vector<WindowType> allWindowTypes() {
    return {
        windowType<Form1>(WindowName::Form1), windowType<Frmprogress>(WindowName::Frmprogress),
        {WindowName::frmSplash, nullptr},     {WindowName::frmSplash1, nullptr},
        {WindowName::frmLogin, nullptr},      {WindowName::Form3, nullptr},
        {WindowName::Form4, nullptr},         {WindowName::Form5, nullptr},
        {WindowName::frmODBCLogon, nullptr},  {WindowName::form6, nullptr},
    };
}

} // namespace qor
