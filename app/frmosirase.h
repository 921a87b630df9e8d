#pragma once

#include <QDialog>

class QCheckBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The notice: what is new in this version, and a box that keeps it from
// opening by itself at the next start. Whatever way it closes, it records the
// version that showed it and the state of the box.
class frmOsirase : public QDialog
{
    Q_OBJECT
public:
    explicit frmOsirase(QWidget *parent = nullptr);

    // The announcement, eight lines joined by CR LF.
    static QString NoticeText();
    // The settings section and keys the notice keeps its state in.
    static QString SettingsSection();
    static QString VersionKey();
    static QString DspFlagKey();
    // "dspFlag" as a whole number; a missing value or one that is not a whole
    // number (the file can be edited by hand) counts as 0.
    static int StoredDspFlag();

public slots:
    void cmdClose_Click();
    // Every way of closing (the button, the close box, Escape) ends here.
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Form_Load();
    void Form_Activate();
    void Form_Unload();

    QFrame *shpFrame = nullptr;
    QLabel *Label1 = nullptr;
    QFrame *Frame1 = nullptr;
    QPlainTextEdit *txtOsirase = nullptr;
    QCheckBox *chkDsp = nullptr;
    QLabel *lblMemo[2] = {};
    QPushButton *cmdClose = nullptr;
};
