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
class QSpinBox;
class QStackedWidget;
class QToolButton;
class QWidget;
class ResultListView;
class StrengthMeter;

// The controls of the form gen, by the names every part of the program
// uses for them (each widget's objectName is its name). The seven panels are
// pages of one stack; the main panel cFrame holds the command column bFrame
// and the mask and count box mFrame.
struct Form
{
    QStackedWidget *panels = nullptr;

    // Main panel
    QFrame *cFrame = nullptr;
    QFrame *bFrame = nullptr; // the command column
    QPushButton *gButton = nullptr;
    QPushButton *cButton = nullptr;
    QPushButton *SButton = nullptr; // pops up the Save menu
    QPushButton *fButton = nullptr; // pops up the File menu
    QGroupBox *mFrame = nullptr;    // holds the mask and count boxes
    QComboBox *mCombo = nullptr;    // the mask, and the saved masks
    QLineEdit *spinner = nullptr;   // the number to generate
    QToolButton *addButton = nullptr;
    QToolButton *sudButton = nullptr;       // removes the mask from the mask list
    StrengthMeter *strengthMeter = nullptr; // beside the mask box
    ResultListView *genList = nullptr;

    // Program options
    QGroupBox *oFrame = nullptr;
    QCheckBox *Slm = nullptr;       // save the last used mask (SaveM)
    QCheckBox *ACu = nullptr;       // check for a new version at start-up (AUChk)
    QCheckBox *slg = nullptr;       // save the last number generated (SaveN)
    QCheckBox *ccl = nullptr;       // confirm before clearing the list (Confirm)
    QCheckBox *ASg = nullptr;       // save the last generated passwords to a file (LastGen)
    QCheckBox *ccb = nullptr;       // clear the clipboard on exit (Clear)
    QCheckBox *cca = nullptr;       // clear copied passwords after 10 s (ClearAfter)
    QToolButton *oButton = nullptr; // closes the panel

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
    QCheckBox *nla = nullptr;       // leave look-alike characters out (NoLookAlike)
    QToolButton *nButton = nullptr; // saves the classes and closes the panel

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
    QToolButton *mButton = nullptr;  // saves the symbols and closes the panel

    // Interface options
    QGroupBox *iFrame = nullptr;
    QCheckBox *Kot = nullptr; // keep the window on top (OnTop)
    QCheckBox *soo = nullptr; // sounds on (Sound)
    QCheckBox *Xs = nullptr;  // the "XP Style" look of the controls (Style)
    QLabel *lngLabel = nullptr;
    QComboBox *LCombo = nullptr;
    QToolButton *iButton = nullptr; // applies the chosen language and closes the panel

    // Site rules: passwords drawn from a website's password rules
    QGroupBox *rFrame = nullptr;
    QLabel *ruLabel = nullptr;
    QLineEdit *ruEdit = nullptr; // the rules, or a site name that finds them
    QLabel *rlLabel = nullptr;
    QSpinBox *rlSpin = nullptr; // the passwords' length, within the rules' bounds
    QLabel *rnLabel = nullptr;
    QLineEdit *rnEdit = nullptr;      // the number to generate, the count box's twin
    StrengthMeter *rsMeter = nullptr; // the bits and verdict of the rules at that length
    QLabel *rcLabel = nullptr;        // how many passwords the rules allow at that length
    QLabel *rmLabel = nullptr;        // why the rules can't be used, when they can't
    QPushButton *rgButton = nullptr;  // generates into the result list
    QToolButton *rButton = nullptr;   // closes the panel

    // About
    QGroupBox *aFrame = nullptr;
    QLabel *aP = nullptr;           // the program's name
    QLabel *aV = nullptr;           // its version
    QLabel *aPl = nullptr;          // the platform it runs on
    QLabel *aR = nullptr;           // its release date
    QLabel *aC = nullptr;           // the maker line
    QPlainTextEdit *aK = nullptr;   // the credits
    QPushButton *kmflnk = nullptr;  // the link to the maker's site
    QToolButton *aButton = nullptr; // closes the panel
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
void buildSiteRules(Form &form);
void buildAbout(Form &form);
