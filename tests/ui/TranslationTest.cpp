#include "WindowFixture.h"
#include "ui/PortsDialog.h"
#include "ui/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QTranslator>

// Every text the user reads goes through Qt's translation.
namespace {

// Marks each text it is asked for, so that a text shown unmarked did not ask.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char*, const char* source, const char*, int) const override {
        return source && *source ? QString(u'‹') + QString::fromUtf8(source) + u'›' : QString();
    }
    bool isEmpty() const override { return false; }
};

// Texts with a word in them must carry the mark; numbers and signs need none.
void ExpectMarked(const QString& text, const QString& where) {
    if (text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) {
        EXPECT_TRUE(text.contains(u'‹')) << where.toStdString() << ": " << text.toStdString();
    }
}

class Translation : public WindowTest {
protected:
    MarkingTranslator Marking;
    void SetUp() override {
        WindowTest::SetUp();
        QCoreApplication::installTranslator(&Marking);
    }
    void TearDown() override {
        QCoreApplication::removeTranslator(&Marking);
        WindowTest::TearDown();
    }
};

// What the window shows of its own: its labels, buttons, lists, tooltips and
// the names given to screen readers. The profile's name and the control's
// name are the user's data.
void ExpectWidgetTextsMarked(const QWidget& root) {
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (!widget->isVisibleTo(&root) || name == "LbProFile" || name == "BtnParaName" ||
            name.startsWith("mCode"))
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            ExpectMarked(label->text(), name);
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            ExpectMarked(button->text(), name);
        if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < list->count(); ++i)
                ExpectMarked(list->itemText(i), name);
        }
        for (const QString& line : widget->toolTip().split(u'\n'))
            ExpectMarked(line, name + " tooltip");
        ExpectMarked(widget->accessibleName(), name + " accessible name");
    }
}

} // namespace

TEST_F(Translation, EveryTextTheWindowShowsIsMarkedForTranslation) {
    Start();
    ExpectWidgetTextsMarked(*Window);
    for (int n : {1, 6})
        SelectControl(n);
    ExpectWidgetTextsMarked(*Window);

    // What the commands say, ask and report.
    Prompts.ConfirmAnswers = {false};
    Click("BtnNEW");
    Click("BtnSave");
    Folder.Write("text.syx", "text");
    Prompts.FileAnswers = {Folder.FilePath("missing.cus")};
    Click("BtnOpen");
    Prompts.FileAnswers = {Folder.FilePath("text.syx")};
    Click("BtnOpen");
    Click("BtnSyncPc");
    Prompts.FileAnswers = {};
    Click("BtnExport");
    ASSERT_EQ(Prompts.Log.size(), 8u);
    for (const auto& shown : Prompts.Log) {
        ExpectMarked(shown.Text, "prompt");
        ExpectMarked(shown.Request.Title, "file dialog");
        ExpectMarked(shown.Request.FilterName, "file dialog");
        for (const FileFilter& filter : shown.Request.MoreFilters)
            ExpectMarked(filter.Name, "file dialog");
    }

    // Port names are the system's: these have no word in them.
    PortsDialog ports({{"24:0"}, {"24:0"}, {}, Window->Link().Search().Lines().constLast()});
    ExpectWidgetTextsMarked(ports);
    ExpectMarked(ports.windowTitle(), "ports dialog");
}

TEST_F(WindowTest, TheTranslationForTheUsersLanguageIsLoadedWhenThereIsOne) {
    EXPECT_FALSE(InstallTranslations(*qApp, QLocale(QLocale::French), HBX_TEST_TRANSLATIONS));
    ASSERT_TRUE(InstallTranslations(*qApp, QLocale(QLocale::German, QLocale::Austria),
                                    HBX_TEST_TRANSLATIONS));
    Start();
    EXPECT_EQ(Text("BtnNEW"), "NEU");
    EXPECT_EQ(Text("LbConnect"), "Getrennt");
    qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
}
