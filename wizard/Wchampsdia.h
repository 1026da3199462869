#pragma once
// The fields dialog: which parts of each label are printed, whether the
// labels come out grouped by class, and whether a label too full for its font
// is written smaller. It holds no logic; the main window fills the six boxes,
// runs it and reads them back on OK.

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

class TChampsDia : public QDialog {
    Q_OBJECT

public:
    explicit TChampsDia(QWidget* parent = nullptr);

    QLabel* Label3 = nullptr;
    QCheckBox* chkNomEnf = nullptr;
    QCheckBox* chkClasseEnf = nullptr;
    QLabel* Label1 = nullptr;
    QCheckBox* chkAdresse = nullptr;
    QCheckBox* chkSignature = nullptr;
    QCheckBox* chkTriClasse = nullptr;
    QCheckBox* chkAjusterTexte = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
