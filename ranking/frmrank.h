#pragma once

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class RankStore;

// The ranking of the exercise in use, one row per place, and its clearing.
class frmRank : public QDialog
{
    Q_OBJECT
public:
    explicit frmRank(RankStore &ranking, QWidget *parent = nullptr);

public slots:
    void cmdClr_Click();

private:
    void Form_Load();

    QLabel *lblRankTitle = nullptr;
    QLabel *lblTitle = nullptr;
    QPlainTextEdit *txtRank = nullptr;
    QPushButton *cmdClr = nullptr;
    QPushButton *cmdClose = nullptr;
    RankStore &m_ranking;
};
