#pragma once

#include "dialogs/CellFormatModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace dialogs
{

// "字体": the font chooser of the cell-format dialog. It lists the family names that reports store
// (宋体 as 宋体, drawn in the sample with the face that stands in for it here), so that a report saved
// on this machine opens with the same fonts on the Windows machines that share the archive.
class FontChooser : public QDialog
{
    Q_OBJECT
public:
    explicit FontChooser(const FontChoice& preset, QWidget* parent = nullptr);

    // The font as the controls hold it; an unchosen family (cells of several fonts) stays empty.
    FontChoice choice() const;

    QListWidget* lstFamily;
    QListWidget* lstStyle;
    QComboBox* cboSize;
    QCheckBox* chkStrikeOut;
    QCheckBox* chkUnderline;
    QComboBox* cboColor;
    QLabel* lblSample;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

public slots:
    void choice_Change();

private:
    FontChoice preset_;
};

} // namespace dialogs
