#ifndef REKTI_REKTIFORM_H
#define REKTI_REKTIFORM_H

#include <QDialog>

class MainWindowAccess;

// The rectification calculator ("Rektifikation mit primär dirigierten
// Achsen"). Built anew at every opening: the constructor runs the load
// sequence (lists preselected, birth date copied, entries of the last use
// restored unless a new calculation was started, then the name taken from the
// main window); closing it by any way runs the unload sequence (entries saved)
// exactly once, and the main window deletes it afterwards.
class RektiForm : public QDialog {
    Q_OBJECT

public:
    explicit RektiForm(MainWindowAccess &main, QWidget *parent = nullptr);
    ~RektiForm() override;
};

#endif
