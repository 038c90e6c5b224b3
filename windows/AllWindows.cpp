#include "windows/AllWindows.h"

#include "windows/datasource/frmODBCLogon.h"
#include "windows/info/Form4.h"
#include "windows/info/Form5.h"
#include "windows/info/form6.h"
#include "windows/info/frmSplash.h"
#include "windows/info/frmSplash1.h"
#include "windows/main/Form1.h"
#include "windows/options/Form3.h"
#include "windows/options/frmLogin.h"
#include "windows/tools/Frmprogress.h"

namespace qor {

std::vector<WindowType> allWindowTypes() {
    return {
        windowType<Form1>(WindowName::Form1),
        windowType<Frmprogress>(WindowName::Frmprogress),
        windowType<frmSplash>(WindowName::frmSplash),
        windowType<frmSplash1>(WindowName::frmSplash1),
        windowType<frmLogin>(WindowName::frmLogin),
        windowType<Form3>(WindowName::Form3),
        windowType<Form4>(WindowName::Form4),
        windowType<Form5>(WindowName::Form5),
        windowType<frmODBCLogon>(WindowName::frmODBCLogon),
        windowType<form6>(WindowName::form6),
    };
}

} // namespace qor
