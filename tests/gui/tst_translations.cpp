#include "app/QtTranslations.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTranslator>
#include <memory>

using namespace qor;

class TranslationsTest : public QObject {
    Q_OBJECT
private slots:
    void textBoxMenuFollowsTheLocale_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("undo");
        QTest::newRow("German") << "de_DE" << true << "&Rückgängig";
        QTest::newRow("French") << "fr_FR" << true << "&Annuler";
        QTest::newRow("a language Qt has no strings for") << "tlh" << false << "&Undo";
    }
    void textBoxMenuFollowsTheLocale() {
        QFETCH(QString, locale);
        QFETCH(bool, installed);
        QFETCH(QString, undo);
        QCOMPARE(installQtTranslations(QLocale(locale)), installed);
        QLineEdit box;
        const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
        QVERIFY(!menu->actions().isEmpty());
        QCOMPARE(menu->actions().first()->text().section(u'\t', 0, 0), undo);
    }

    void cleanup() {
        for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }
};

QTEST_MAIN(TranslationsTest)
#include "tst_translations.moc"
