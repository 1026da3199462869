#pragma once
// The OK and Annuler buttons of the small dialogs, in French whatever the
// desktop's language; OK is the default button (Enter).

class QDialog;
class QDialogButtonBox;

// Owned by the dialog; the caller connects accepted() and rejected().
QDialogButtonBox* BoutonsOkAnnuler(QDialog* dialogue);
