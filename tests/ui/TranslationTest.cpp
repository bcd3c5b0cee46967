#include "WindowFixture.h"
#include "ui/PortsDialog.h"
#include "ui/Translations.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QTranslator>
#include <QXmlStreamReader>

// Every text the user reads goes through Qt's translation, and each language
// shipped translates all of them.
namespace {

// Marks each text it is asked for, so that a text shown unmarked did not ask.
class MarkingTranslator : public QTranslator {
public:
    QString translate(const char*, const char* source, const char*, int) const override {
        return source && *source ? QString(u'‹') + QString::fromUtf8(source) + u'›' : QString();
    }
    bool isEmpty() const override { return false; }
};

struct ShownText {
    QString Where;
    QString Text;
};

// What a window shows of its own: its labels, buttons, lists, tooltips line
// by line and the names given to screen readers. The profile's name and the
// control's name are the user's data.
void AddWidgetTexts(const QWidget& root, std::vector<ShownText>& texts) {
    const auto add = [&](const QString& where, const QString& text) {
        texts.push_back({where, text});
    };
    for (const QWidget* widget : root.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (!widget->isVisibleTo(&root) || name == "LbProFile" || name == "BtnParaName")
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            add(name, label->text());
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            add(name, button->text().remove(u'&'));
        if (const auto* list = qobject_cast<const QComboBox*>(widget)) {
            for (int i = 0; i < list->count(); ++i)
                add(name, list->itemText(i));
        }
        for (const QString& line : widget->toolTip().split(u'\n'))
            add(name + " tooltip", line);
        add(name + " accessible name", widget->accessibleName());
    }
}

class TranslatedWindow : public WindowTest {
protected:
    // The window with two controls shown, what its commands ask and report,
    // and the MIDI Ports dialog. Port names are the system's.
    std::vector<ShownText> EveryText() {
        std::vector<ShownText> texts;
        Start();
        AddWidgetTexts(*Window, texts);
        for (int n : {1, 6}) {
            SelectControl(n);
            AddWidgetTexts(*Window, texts);
        }
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
        EXPECT_EQ(Prompts.Log.size(), 8u);
        for (const auto& shown : Prompts.Log) {
            texts.push_back({"prompt", shown.Text});
            texts.push_back({"file dialog", shown.Request.Title});
            texts.push_back({"file dialog", shown.Request.FilterName});
            for (const FileFilter& filter : shown.Request.MoreFilters)
                texts.push_back({"file dialog", filter.Name});
        }
        PortsDialog ports({{"24:0"}, {"24:0"}, {}, Window->Link().Search().Lines().constLast()});
        AddWidgetTexts(ports, texts);
        texts.push_back({"ports dialog", ports.windowTitle()});
        return texts;
    }
};

class Translation : public TranslatedWindow {
protected:
    MarkingTranslator Marking;
    void SetUp() override {
        TranslatedWindow::SetUp();
        QCoreApplication::installTranslator(&Marking);
    }
    void TearDown() override {
        QCoreApplication::removeTranslator(&Marking);
        TranslatedWindow::TearDown();
    }
};

// The source texts whose translation in `file` differs from them.
QSet<QString> TranslatedSources(const QString& file) {
    QFile ts(file);
    EXPECT_TRUE(ts.open(QIODevice::ReadOnly)) << file.toStdString();
    QXmlStreamReader xml(&ts);
    QSet<QString> sources;
    QString source;
    while (xml.readNext() != QXmlStreamReader::Invalid && !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"source") {
            source = xml.readElementText();
        } else if (xml.name() == u"translation") {
            const QString translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            if (!translation.isEmpty() && translation != source)
                sources.insert(source);
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return sources;
}

struct Language {
    const char* Locale;
    const char* File;
};

class InLanguage : public TranslatedWindow, public ::testing::WithParamInterface<Language> {
protected:
    void SetUp() override {
        TranslatedWindow::SetUp();
        ASSERT_TRUE(InstallTranslations(*qApp, QLocale(QString::fromLatin1(GetParam().Locale))));
    }
    void TearDown() override {
        qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
        TranslatedWindow::TearDown();
    }
};

} // namespace

TEST_F(Translation, EveryTextTheWindowShowsIsMarkedForTranslation) {
    for (const ShownText& shown : EveryText()) {
        // Numbers and signs need no mark.
        if (shown.Text.contains(QRegularExpression(QStringLiteral("[A-Za-z]")))) {
            EXPECT_TRUE(shown.Text.contains(u'‹'))
                << shown.Where.toStdString() << ": " << shown.Text.toStdString();
        }
    }
}

TEST_P(InLanguage, NoTextIsShownInEnglishWhereItHasATranslation) {
    QSet<QString> english = TranslatedSources(QStringLiteral(HBX_TRANSLATION_SOURCES "/") +
                                              QString::fromLatin1(GetParam().File));
    ASSERT_GT(english.size(), 50);
#ifdef Q_OS_LINUX
    // Qt's own, for its dialogs' buttons: Debian's qt6-translations-l10n.
    english.insert(QStringLiteral("Cancel"));
#endif
    for (const ShownText& shown : EveryText()) {
        // An error's text is shown with a full stop added.
        const QString& text = shown.Text;
        EXPECT_FALSE(english.contains(text) ||
                     (text.endsWith(u'.') && english.contains(text.chopped(1))))
            << shown.Where.toStdString() << ": " << text.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, InLanguage,
                         ::testing::Values(Language{"de_AT", "hbx740_de.ts"},
                                           Language{"zh_CN", "hbx740_zh_CN.ts"}),
                         [](const auto& info) { return std::string(info.param.Locale); });

TEST_F(WindowTest, ALanguageWithoutATranslationKeepsTheSourceTexts) {
    EXPECT_FALSE(InstallTranslations(*qApp, QLocale(QLocale::French)));
    Start();
    EXPECT_EQ(Text("BtnNEW"), "NEW");
    qDeleteAll(qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly));
}
