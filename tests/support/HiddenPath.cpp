#include "support/HiddenPath.h"

#include "support/WindowPlaces.h"

namespace qor::test {

bool dismiss(QorProcess& qor, const QString& title) {
    const qulonglong box = qor.waitForWindow(title);
    if (!box)
        return false;
    QorProcess::activate(box);
    QorProcess::key("Return");
    return qor.waitForWindowGone(title);
}

bool closeBoxWithEnter(QorProcess& qor, const QString& title) {
    const qulonglong box = qor.waitForWindow(title);
    if (!box || !QorProcess::waitUntilActive(box))
        return false;
    QorProcess::key("Return");
    return qor.waitForWindowGone(title);
}

qulonglong enterSecretWord(QorProcess& qor, qulonglong tools) {
    if (!QorProcess::waitUntilActive(tools))
        return 0;
    QorProcess::click(tools, centreOf(WindowName::Frmprogress, "Text1"));
    // The field starts with a text of its own; typing over the whole of it leaves the word.
    QorProcess::key("ctrl+a");
    QorProcess::type("quilt");
    return qor.waitForWindow(loginTitle);
}

QString openOptionsFromTools(QorProcess& qor, qulonglong& options) {
    const qulonglong tools = qor.waitForWindow(toolsTitle);
    if (!tools)
        return "the tools window did not appear";
    const qulonglong login = enterSecretWord(qor, tools);
    if (!login)
        return "the login dialog did not appear";
    QorProcess::activate(login);
    QorProcess::key("alt+p");
    QorProcess::type("quilt");
    QorProcess::key("Return");
    if (!dismiss(qor, "Lets See"))
        return "no first login notice";
    if (!dismiss(qor, "Way 2 Go!"))
        return "no second login notice";
    options = qor.waitForWindow(optionsTitle);
    if (!options)
        return "the options window did not appear";
    return {};
}

QString openDataSourceDialogFromTools(QorProcess& qor) {
    qulonglong options = 0;
    if (QString failed = openOptionsFromTools(qor, options); !failed.isEmpty())
        return failed;
    QorProcess::click(options, centreOf(WindowName::Form3, "Command1"));
    if (!dismiss(qor, "Error Info"))
        return "no notice after the dialog";
    return {};
}

QString openDataSourceDialog(QorProcess& qor) {
    const qulonglong main = qor.waitForWindow(mainTitle);
    if (!main)
        return "the main window did not appear";
    QorProcess::click(main, nextPage);
    return openDataSourceDialogFromTools(qor);
}

} // namespace qor::test
