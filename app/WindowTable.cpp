#include "app/WindowTable.h"

#include "windows/info/Form4.h"
#include "windows/info/Form5.h"
#include "windows/info/form6.h"
#include "windows/info/frmSplash.h"
#include "windows/info/frmSplash1.h"
#include "windows/main/Form1.h"

namespace qor {

std::vector<WindowType> allWindowTypes() {
    return {
        windowType<Form1>(WindowName::Form1),
        {WindowName::Frmprogress, nullptr},
        windowType<frmSplash>(WindowName::frmSplash),
        windowType<frmSplash1>(WindowName::frmSplash1),
        {WindowName::frmLogin, nullptr},
        {WindowName::Form3, nullptr},
        windowType<Form4>(WindowName::Form4),
        windowType<Form5>(WindowName::Form5),
        {WindowName::frmODBCLogon, nullptr},
        windowType<form6>(WindowName::form6),
    };
}

} // namespace qor
