#pragma once

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QToolButton;
class QWidget;
class ResultListView;
class StrengthMeter;

// The controls of the form gen, by the names every part of the program
// uses for them (each widget's objectName is its name). The six panels are
// pages of one stack; the main panel cFrame holds the command column bFrame
// and the mask and count box mFrame.
struct Form
{
    QStackedWidget *panels = nullptr;
    QLineEdit *cText = nullptr;        // never shown
    QPlainTextEdit *csvText = nullptr; // never shown

    // Main panel
    QFrame *cFrame = nullptr;
    QFrame *bFrame = nullptr;
    QPushButton *gButton = nullptr;
    QPushButton *cButton = nullptr;
    QPushButton *SButton = nullptr;
    QPushButton *fButton = nullptr;
    QGroupBox *mFrame = nullptr;
    QComboBox *mCombo = nullptr;
    QLineEdit *spinner = nullptr;
    QToolButton *addButton = nullptr;
    QToolButton *sudButton = nullptr;
    StrengthMeter *strengthMeter = nullptr; // beside the mask box
    ResultListView *genList = nullptr;

    // Program options
    QGroupBox *oFrame = nullptr;
    QCheckBox *Slm = nullptr;
    QCheckBox *ACu = nullptr;
    QCheckBox *slg = nullptr;
    QCheckBox *ccl = nullptr;
    QCheckBox *ASg = nullptr;
    QCheckBox *ccb = nullptr;
    QCheckBox *cca = nullptr; // clear copied passwords after 10 s
    QToolButton *oButton = nullptr;

    // Generation options
    QGroupBox *gFrame = nullptr;
    QLabel *uLabel = nullptr;
    QLineEdit *uEdit = nullptr;
    QLabel *lLabel = nullptr;
    QLineEdit *lEdit = nullptr;
    QLabel *nLabel = nullptr;
    QLineEdit *nEdit = nullptr;
    QLabel *sLabel = nullptr;
    QLineEdit *sEdit = nullptr;
    QRadioButton *cOption = nullptr;
    QRadioButton *dOption = nullptr;
    QCheckBox *nla = nullptr; // leave look-alike characters out (NoLookAlike)
    QToolButton *nButton = nullptr;

    // Mask options
    QGroupBox *sFrame = nullptr;
    QLabel *ucLabel = nullptr;
    QLineEdit *upEdit = nullptr;
    QLabel *lcLabel = nullptr;
    QLineEdit *loEdit = nullptr;
    QLabel *nuLabel = nullptr;
    QLineEdit *nuEdit = nullptr;
    QLabel *spLabel = nullptr;
    QLineEdit *spEdit = nullptr;
    QLabel *iLabel = nullptr;
    QLineEdit *iEdit = nullptr;
    QLabel *wLabel = nullptr;
    QLineEdit *wEdit = nullptr; // the word symbol (wMask), may be empty
    QCheckBox *wcp = nullptr;   // words with a capital first letter (WordCap)
    QLabel *wlLabel = nullptr;
    QLineEdit *wlEdit = nullptr;     // the word list file (Words), empty for the shipped one
    QToolButton *wlButton = nullptr; // chooses the word list through the file dialog
    QLabel *wcLabel = nullptr;       // how many words the list holds
    QToolButton *mButton = nullptr;

    // Interface options
    QGroupBox *iFrame = nullptr;
    QCheckBox *Kot = nullptr;
    QCheckBox *soo = nullptr;
    QCheckBox *Xs = nullptr;
    QLabel *lngLabel = nullptr;
    QComboBox *LCombo = nullptr;
    QToolButton *iButton = nullptr;

    // About
    QGroupBox *aFrame = nullptr;
    QLabel *aP = nullptr;
    QLabel *aV = nullptr;
    QLabel *aPl = nullptr;
    QLabel *aR = nullptr;
    QLabel *aC = nullptr;
    QPlainTextEdit *aK = nullptr;
    QPushButton *kmflnk = nullptr;
    QToolButton *aButton = nullptr;
};

// Builds every control with the captions, tooltips and states the window
// holds before a language is applied, inside parent.
Form buildForm(QWidget *parent);

// The panels, built by buildForm.
void buildMainPanel(Form &form);
void buildProgramOptions(Form &form);
void buildGenerationOptions(Form &form);
void buildMaskOptions(Form &form);
void buildInterfaceOptions(Form &form);
void buildAbout(Form &form);
