#pragma once

#include "Platform.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

// frmOtherItem, the Add Other Item dialog: the quantity, the item, its category (one of the
// headings or a new one) and whether to keep the item in the catalogue too. OK waits for an
// item.
class OtherItemDialog final : public QDialog
{
    Q_OBJECT

public:
    OtherItemDialog(const OtherItem &proposed, const QStringList &categories,
                    QWidget *parent = nullptr);

    OtherItem answer() const;

private:
    QLineEdit *m_quantity = nullptr;
    QLineEdit *m_item = nullptr;
    QComboBox *m_category = nullptr;
    QCheckBox *m_keep = nullptr;
    QPushButton *m_ok = nullptr;
};
