#include "BuildSplashFM.h"

#include "BuildServices.h"
#include "BvDictionary.h"
#include "FileVersion.h"
#include "MorlenSettings.h"
#include "MorlenTables.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

void InitCorePictures() {
    static const bool done = [] {
        Q_INIT_RESOURCE(Pictures);
        return true;
    }();
    (void)done;
}

namespace {
constexpr int ShadowOffset = 2;
constexpr int TextLeft = 32;
constexpr int CaptionWidth = 150;
constexpr int MinimumPointSize = 12;
// The title and the text below it end before the pictures' heart and drop
// begin.
constexpr int TitleWidth = 290;

QString EditionPictureName(TEdition edition) {
    switch (edition) {
    case TEdition::Prevention: return QStringLiteral("Prevention");
    case TEdition::Diabetes: return QStringLiteral("Diabetes");
    case TEdition::Combined: break;
    }
    return QStringLiteral("Combined");
}
} // namespace

TBuildSplashForm::TBuildSplashForm(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    InitCorePictures();
    setObjectName(QStringLiteral("SplashForm"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(SplashWidth, SplashHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    Picture = new QLabel(this);
    Picture->setObjectName(QStringLiteral("Picture"));
    Picture->setGeometry(rect());
    Picture->setScaledContents(true);

    TitleLabel = AddLabel(QStringLiteral("TitleLabel"), QRect(TextLeft, 28, TitleWidth, 56), 28, true);
    VersionCaptionLabel = AddLabel(QStringLiteral("VersionCaptionLabel"), QRect(TextLeft, 318, CaptionWidth, 22), 10, false);
    VersionLabel = AddLabel(QStringLiteral("VersionLabel"), QRect(TextLeft + CaptionWidth, 318, 200, 22), 10, true);
    TitleLabelShadow = ShadowOf(TitleLabel);
    VersionCaptionLabelShadow = ShadowOf(VersionCaptionLabel);
    VersionLabelShadow = ShadowOf(VersionLabel);
    SetLabelText(VersionCaptionLabel, TranslateText(QStringLiteral("Version")));
    FCaptionRows << qMakePair(VersionCaptionLabel, VersionLabel);
    AlignValues();

    // Creation: the version, then the timer that ends the window.
    SetLabelText(VersionLabel, ShortVersion());
    CloseTimer = new QTimer(this);
    CloseTimer->setObjectName(QStringLiteral("CloseTimer"));
    CloseTimer->setInterval(CloseInterval);
    CloseTimer->setSingleShot(true);
    connect(CloseTimer, &QTimer::timeout, this, &QObject::deleteLater);
    CloseTimer->start();
}

QLabel* TBuildSplashForm::AddLabel(const QString& name, const QRect& bounds, int pointSize, bool bold, bool wrap) {
    auto make = [&](const QString& objectName, const QRect& at, const QColor& color) {
        auto* label = new QLabel(this);
        label->setObjectName(objectName);
        label->setGeometry(at);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(wrap);
        label->setAlignment(Qt::AlignLeft | (wrap ? Qt::AlignTop : Qt::AlignVCenter));
        QFont font = label->font();
        font.setPointSize(pointSize);
        font.setBold(bold);
        label->setFont(font);
        label->setProperty("DesignPointSize", pointSize);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, color);
        label->setPalette(palette);
        return label;
    };
    // The shadow first, so that the label lies over it.
    make(name + QStringLiteral("Shadow"), bounds.translated(ShadowOffset, ShadowOffset), QColor(0, 0, 0, 170));
    return make(name, bounds, QColor(255, 255, 255));
}

QLabel* TBuildSplashForm::ShadowOf(const QLabel* label) const {
    return findChild<QLabel*>(label->objectName() + QStringLiteral("Shadow"), Qt::FindDirectChildrenOnly);
}

void TBuildSplashForm::SetLabelText(QLabel* label, const QString& text) {
    // A one-line label gives up font size rather than letters: a country's
    // title may be longer than the space beside the picture.
    QFont font = label->font();
    if (!label->wordWrap()) {
        const int designSize = label->property("DesignPointSize").toInt();
        for (int size = designSize; size >= MinimumPointSize; --size) {
            font.setPointSize(size);
            if (QFontMetrics(font).horizontalAdvance(text) <= label->width())
                break;
        }
    }
    label->setFont(font);
    label->setText(text);
    if (QLabel* shadow = ShadowOf(label)) {
        shadow->setFont(font);
        shadow->setText(text);
    }
}

void TBuildSplashForm::AlignValues() {
    int width = 0;
    for (const auto& row : FCaptionRows)
        width = qMax(width, row.first->fontMetrics().horizontalAdvance(row.first->text()));
    for (const auto& row : FCaptionRows) {
        QRect bounds = row.second->geometry();
        bounds.moveLeft(TextLeft + width + 12);
        row.second->setGeometry(bounds);
        if (QLabel* shadow = ShadowOf(row.second))
            shadow->setGeometry(bounds.translated(ShadowOffset, ShadowOffset));
    }
}

void TBuildSplashForm::SetPicture(const QString& resource) { Picture->setPixmap(QPixmap(resource)); }

TMlSplashForm::TMlSplashForm(QWidget* parent) : TBuildSplashForm(parent) {
    setObjectName(QStringLiteral("MlSplashForm"));
    SetPicture(QStringLiteral(":/core/pictures/SplashPrevention.png"));
    AcknowledgementsLabel = AddLabel(QStringLiteral("AcknowledgementsLabel"), QRect(TextLeft, 92, TitleWidth, 80), 11, false, true);
    AcknowledgementsLabelShadow = ShadowOf(AcknowledgementsLabel);
    UpdateLevelCaptionLabel =
        AddLabel(QStringLiteral("UpdateLevelCaptionLabel"), QRect(TextLeft, 344, CaptionWidth, 22), 10, false);
    UpdateLevelLabel =
        AddLabel(QStringLiteral("UpdateLevelLabel"), QRect(TextLeft + CaptionWidth, 344, 200, 22), 10, true);
    UpdateLevelCaptionLabelShadow = ShadowOf(UpdateLevelCaptionLabel);
    UpdateLevelLabelShadow = ShadowOf(UpdateLevelLabel);
    SetLabelText(UpdateLevelCaptionLabel, TranslateText(QStringLiteral("Update level")));
    FCaptionRows << qMakePair(UpdateLevelCaptionLabel, UpdateLevelLabel);
    AlignValues();

    TMlSettings* settings = BuildSettings();
    if (settings->DefaultLanguage().size() < 5)
        settings->SetDefaultLanguage(QStringLiteral("en/gb"));
    // The texts of the country of the user's language. The splash only
    // greets: without them it shows the picture and the version.
    TMlCountryTable Country;
    Country.SetName(QStringLiteral("Country"));
    try {
        Country.SetDatabaseName(QStringLiteral("ApplicationAlias"));
        Country.SetTableName(QStringLiteral("Country"));
        QString language = settings->DefaultLanguage();
        Country.SetFilter(QStringLiteral("ISOLanguage = '") + language.replace('\'', QStringLiteral("''")) + '\'');
        Country.SetFiltered(true);
        Country.Open();
        if (!Country.IsEmpty()) {
            SetLabelText(AcknowledgementsLabel, Country.FieldByName(QStringLiteral("SplashMessage"))->AsString());
            SetLabelText(TitleLabel, Country.FieldByName(QStringLiteral("Splash title"))->AsString());
        }
    } catch (const Exception&) {
    }
    Country.Close();
    SetLabelText(UpdateLevelLabel, BuildUpdateLevel());
}

namespace {
// The designed texts of the editions that have no country texts.
void SetEditionTexts(TBuildSplashForm* form, QLabel* subtitle, TEdition edition, const char* subtitleText) {
    form->SetLabelText(form->TitleLabel, EditionTitles(edition));
    form->SetLabelText(subtitle, TranslateText(QString::fromLatin1(subtitleText)));
}
} // namespace

TSdSplashForm::TSdSplashForm(QWidget* parent) : TBuildSplashForm(parent) {
    setObjectName(QStringLiteral("SdSplashForm"));
    SetPicture(QStringLiteral(":/core/pictures/SplashDiabetes.png"));
    SubtitleLabel = AddLabel(QStringLiteral("SubtitleLabel"), QRect(TextLeft, 92, TitleWidth, 80), 11, false, true);
    SubtitleLabelShadow = ShadowOf(SubtitleLabel);
    SetEditionTexts(this, SubtitleLabel, TEdition::Diabetes, "Cardiovascular risk estimation for people with diabetes");
}

TTvSplashForm::TTvSplashForm(QWidget* parent) : TBuildSplashForm(parent) {
    setObjectName(QStringLiteral("TvSplashForm"));
    SetPicture(QStringLiteral(":/core/pictures/SplashCombined.png"));
    SubtitleLabel = AddLabel(QStringLiteral("SubtitleLabel"), QRect(TextLeft, 92, TitleWidth, 80), 11, false, true);
    SubtitleLabelShadow = ShadowOf(SubtitleLabel);
    SetEditionTexts(this, SubtitleLabel, TEdition::Combined,
                    "Cardiovascular risk estimation with and without diabetes");
}

TBuildSplashForm* CreateSplashForm(TEdition edition) {
    switch (edition) {
    case TEdition::Prevention: return new TMlSplashForm;
    case TEdition::Diabetes: return new TSdSplashForm;
    case TEdition::Combined: break;
    }
    return new TTvSplashForm;
}

QString DebuggingFileName() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/Debugging.txt");
}

bool SplashSuppressed() { return QFile::exists(DebuggingFileName()); }

TBuildSplashForm* ShowSplashForm(TEdition edition) {
    if (SplashSuppressed())
        return nullptr;
    TBuildSplashForm* splash = CreateSplashForm(edition);
    splash->show();
    splash->repaint();
    return splash;
}

QIcon EditionIcon(TEdition edition) {
    InitCorePictures();
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/core/pictures/Icon%1_%2.png").arg(EditionPictureName(edition)).arg(size),
                     QSize(size, size));
    return icon;
}
