#include "support/HiddenPath.h"

namespace qor::test {

namespace {
// Client pixels: the tools window's masked field, and the options window's button.
const QPoint triggerField(336 + 100, 72 + 12);
const QPoint connectButton(16 + 276, 16 + 24);
} // namespace

bool dismiss(QorProcess& qor, const QString& title) {
    const qulonglong box = qor.waitForWindow(title);
    if (!box)
        return false;
    QorProcess::activate(box);
    QorProcess::key("Return");
    return qor.waitForWindowGone(title);
}

QString openDataSourceDialogFromTools(QorProcess& qor) {
    const qulonglong tools = qor.waitForWindow("Form2");
    if (!tools)
        return "the tools window did not appear";
    QorProcess::click(tools, triggerField);
    QorProcess::key("ctrl+a");
    QorProcess::type("quilt");
    const qulonglong login = qor.waitForWindow("Login To Brannocks Secret Options");
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
    const qulonglong options = qor.waitForWindow("Form3");
    if (!options)
        return "the options window did not appear";
    QorProcess::click(options, connectButton);
    if (!dismiss(qor, "Error Info"))
        return "no notice after the dialog";
    return {};
}

} // namespace qor::test
