#pragma once
// The splash windows shown at start-up, one per edition: the edition's
// picture over the whole window (640 x 393, no border, always on top), the
// title and the version, each label with a shadow twin a few pixels down
// and right that carries the same text. The window frees itself 4000 ms
// after its creation (CloseTimer); nothing else closes it.

#include "Edition.h"

#include <QWidget>

class QLabel;
class QTimer;

class TBuildSplashForm : public QWidget {
    Q_OBJECT
public:
    explicit TBuildSplashForm(QWidget* parent = nullptr);

    QLabel* Picture = nullptr;
    QLabel* TitleLabel = nullptr;
    QLabel* TitleLabelShadow = nullptr;
    QLabel* VersionCaptionLabel = nullptr; // "Version"
    QLabel* VersionCaptionLabelShadow = nullptr;
    QLabel* VersionLabel = nullptr;
    QLabel* VersionLabelShadow = nullptr;
    QTimer* CloseTimer = nullptr;

    // Sets a label on the picture and its shadow.
    void SetLabelText(QLabel* label, const QString& text);
    QLabel* ShadowOf(const QLabel* label) const;

    static constexpr int SplashWidth = 640;
    static constexpr int SplashHeight = 393;
    static constexpr int CloseInterval = 4000;

protected:
    // A label with its shadow twin, on the picture.
    QLabel* AddLabel(const QString& name, const QRect& bounds, int pointSize, bool bold, bool wrap = false);
    void SetPicture(const QString& resource);
    // Puts the values of the caption rows ("Version", "Update level") just
    // after the widest caption.
    void AlignValues();
    QList<QPair<QLabel*, QLabel*>> FCaptionRows;
};

// Prevention: the title and acknowledgements of the country of the user's
// default language (its own Country table, a TMlCountryTable) and the
// update level.
class TMlSplashForm : public TBuildSplashForm {
    Q_OBJECT
public:
    explicit TMlSplashForm(QWidget* parent = nullptr);
    QLabel* AcknowledgementsLabel = nullptr;
    QLabel* AcknowledgementsLabelShadow = nullptr;
    QLabel* UpdateLevelCaptionLabel = nullptr; // "Update level"
    QLabel* UpdateLevelCaptionLabelShadow = nullptr;
    QLabel* UpdateLevelLabel = nullptr;
    QLabel* UpdateLevelLabelShadow = nullptr;
};

// Diabetes.
class TSdSplashForm : public TBuildSplashForm {
    Q_OBJECT
public:
    explicit TSdSplashForm(QWidget* parent = nullptr);
    QLabel* SubtitleLabel = nullptr;
    QLabel* SubtitleLabelShadow = nullptr;
};

// Prevention and diabetes combined.
class TTvSplashForm : public TBuildSplashForm {
    Q_OBJECT
public:
    explicit TTvSplashForm(QWidget* parent = nullptr);
    QLabel* SubtitleLabel = nullptr;
    QLabel* SubtitleLabelShadow = nullptr;
};

// The splash window of an edition, without an owner.
TBuildSplashForm* CreateSplashForm(TEdition edition);

// The file in the user's data folder whose presence suppresses the splash.
QString DebuggingFileName();
bool SplashSuppressed();
// Start-up: unless Debugging.txt exists, creates the edition's splash window,
// shows it and lets it paint at once. The window frees itself; nullptr when
// suppressed.
TBuildSplashForm* ShowSplashForm(TEdition edition);

// The edition's icon in several sizes (16 to 256 pixels).
QIcon EditionIcon(TEdition edition);
// Makes the pictures of the core available (the library is linked statically).
void InitCorePictures();
