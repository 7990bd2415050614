#include "SettingsWarningFM.h"

#include "DialogResults.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TSettingsWarningForm::TSettingsWarningForm(QWidget* parent) : TBuildForm(parent) {
    setObjectName(QStringLiteral("SettingsWarningForm"));
    setWindowTitle(QStringLiteral("Warning"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("WarningImage"));
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, this).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    WarningLabel = new QLabel(this);
    WarningLabel->setObjectName(QStringLiteral("WarningLabel"));
    WarningLabel->setWordWrap(true);
    WarningLabel->setMinimumWidth(280);
    WarningLabel->setTextFormat(Qt::PlainText);

    DoNotShowCheck = new QCheckBox(QStringLiteral("In the future, do not show this warning"), this);
    DoNotShowCheck->setObjectName(QStringLiteral("DoNotShowCheck"));

    Button1 = new QPushButton(QStringLiteral("Yes"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button2 = new QPushButton(QStringLiteral("No"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    connect(Button1, &QPushButton::clicked, this, [this] { done(mrYes); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(mrNo); });
    SetButtonStyle(0);

    auto* message = new QHBoxLayout;
    message->addWidget(icon);
    message->addWidget(WarningLabel, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(message);
    layout->addSpacing(6);
    layout->addWidget(DoNotShowCheck);
    layout->addLayout(buttons);
}

void TSettingsWarningForm::SetButtonStyle(int /*style*/) {
    // Every caller asks for Yes and No; Yes is the default button.
    Button1->setVisible(true);
    Button2->setVisible(true);
    Button1->setDefault(true);
    Button1->setFocus();
}

void TSettingsWarningForm::reject() { done(mrNo); }
