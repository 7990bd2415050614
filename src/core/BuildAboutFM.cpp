#include "BuildAboutFM.h"

#include "BuildDM.h"
#include "BuildServices.h"
#include "BuildSplashFM.h"
#include "BvDictionary.h"
#include "BvUtils.h"
#include "DialogResults.h"
#include "FileVersion.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace {
QLabel* NewLabel(QWidget* parent, const QString& name, const QString& text = QString()) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}
} // namespace

TBuildAboutForm::TBuildAboutForm(QWidget* parent) : TBuildForm(parent) {
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(QStringLiteral("About"));

    Panel = new QFrame(this);
    Panel->setObjectName(QStringLiteral("Panel"));
    Panel->setFrameShape(QFrame::StyledPanel);
    Panel->setFrameShadow(QFrame::Sunken);
    Panel->setAutoFillBackground(true);
    QPalette panelPalette = Panel->palette();
    panelPalette.setColor(QPalette::Window, panelPalette.color(QPalette::Base));
    Panel->setPalette(panelPalette);

    AppImage = NewLabel(Panel, QStringLiteral("AppImage"));
    AppImage->setFixedSize(72, 72);
    AppImage->setAlignment(Qt::AlignCenter);
    TitleLabel = NewLabel(Panel, QStringLiteral("TitleLabel"));
    QFont titleFont = TitleLabel->font();
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    TitleLabel->setFont(titleFont);
    VersionLabel = NewLabel(Panel, QStringLiteral("VersionLabel"));
    ProductLabel = NewLabel(Panel, QStringLiteral("ProductLabel"),
                            QStringLiteral("Cardiovascular risk estimation for general practice"));
    ProductLabel->setWordWrap(true);
    CopyrightLabel = NewLabel(Panel, QStringLiteral("CopyrightLabel"),
                              QStringLiteral("Copyright \u00A9 Brovik. All rights reserved."));
    CopyrightLabel->setWordWrap(true);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(TitleLabel);
    texts->addWidget(VersionLabel);
    texts->addSpacing(8);
    texts->addWidget(ProductLabel);
    texts->addWidget(CopyrightLabel);
    texts->addStretch();
    auto* panelLayout = new QHBoxLayout(Panel);
    panelLayout->setContentsMargins(12, 12, 12, 12);
    panelLayout->setSpacing(14);
    panelLayout->addWidget(AppImage, 0, Qt::AlignTop);
    panelLayout->addLayout(texts, 1);

    ContactLabel = NewLabel(this, QStringLiteral("ContactLabel"));
    ContactLabel->setWordWrap(true);
    ContactLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ContactLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    CloseButton = new QPushButton(QStringLiteral("Close"), this);
    CloseButton->setObjectName(QStringLiteral("CloseButton"));
    CloseButton->setDefault(true);
    connect(CloseButton, &QPushButton::clicked, this, [this] { done(mrOk); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CloseButton);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addWidget(Panel);
    layout->addWidget(ContactLabel, 1);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

void TBuildAboutForm::SetLinesText(QLabel* label, const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n\r|\r|\n"));
    label->setText(QString(text).replace(breaks, QStringLiteral("\n")));
}

void TBuildAboutForm::SetContactText(const QString& text) {
    FContactText = text;
    SetLinesText(ContactLabel, text);
}

void TBuildAboutForm::AddContactLine(const QString& text) {
    QString contact = FContactText;
    if (!contact.isEmpty())
        contact += QStringLiteral("\n\r");
    SetContactText(contact + text);
}

void TBuildAboutForm::DoCreate() {
    VersionLabel->setText(LongVersion());
    if (AppImage->pixmap().isNull()) {
        QIcon icon = QApplication::windowIcon();
        if (icon.isNull())
            icon = EditionIcon(Edition());
        AppImage->setPixmap(icon.pixmap(64, 64));
    }
}

TMlAboutForm::TMlAboutForm(QWidget* parent) : TBuildAboutForm(parent) {
    setObjectName(QStringLiteral("MlAboutForm"));
    AppImage->setPixmap(EditionIcon(TEdition::Prevention).pixmap(64, 64));
}

void TMlAboutForm::DoCreate() {
    TBuildAboutForm::DoCreate();
    SetContactText(QString());
    SetLinesText(VersionLabel,
        FormatText(TranslateText(QStringLiteral("Version %s\rUpdate level %s")), {ShortVersion(), BuildUpdateLevel()}));
    if (QWidget* mainForm = BuildMainForm())
        TitleLabel->setText(mainForm->windowTitle());
    if (TCountryDataModuleBase* country = MasterCountryData())
        AddContactLine(country->AboutMessage());
}

namespace {
// The credit lines of an edition.
void AddCredits(TBuildAboutForm* form, TEdition edition, const char* line) {
    form->TitleLabel->setText(EditionTitles(edition));
    form->AppImage->setPixmap(EditionIcon(edition).pixmap(64, 64));
    // Whole lines of the contact text are no dictionary texts: each line
    // is translated on its own.
    form->AddContactLine(TranslateText(QString::fromLatin1(line)));
    form->AddContactLine(TranslateText(QStringLiteral("Developed by Brovik")));
}
} // namespace

TSdAboutForm::TSdAboutForm(QWidget* parent) : TBuildAboutForm(parent) {
    setObjectName(QStringLiteral("SdAboutForm"));
    AddCredits(this, TEdition::Diabetes, "Cardiovascular risk estimation for people with diabetes");
}

TTvAboutForm::TTvAboutForm(QWidget* parent) : TBuildAboutForm(parent) {
    setObjectName(QStringLiteral("TvAboutForm"));
    AddCredits(this, TEdition::Combined, "Cardiovascular risk estimation with and without diabetes");
}

TBuildAboutForm* CreateAboutForm(TEdition edition) {
    switch (edition) {
    case TEdition::Prevention: return CreateForm<TMlAboutForm>();
    case TEdition::Diabetes: return CreateForm<TSdAboutForm>();
    case TEdition::Combined: break;
    }
    return CreateForm<TTvAboutForm>();
}

void ShowAboutForm(TEdition edition) {
    TFormPtr<TBuildAboutForm> form(CreateAboutForm(edition));
    form->exec();
}
