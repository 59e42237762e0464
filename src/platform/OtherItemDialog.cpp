#include "OtherItemDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

OtherItemDialog::OtherItemDialog(const OtherItem &proposed, const QStringList &categories,
                                 QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmOtherItem"));
    setWindowTitle(QStringLiteral("Add Other Item"));
    auto *form = new QFormLayout(this);
    m_quantity = new QLineEdit(proposed.quantity, this);
    m_quantity->setObjectName(QStringLiteral("txtQuantity"));
    m_item = new QLineEdit(proposed.item, this);
    m_item->setObjectName(QStringLiteral("txtItem"));
    m_category = new QComboBox(this);
    m_category->setObjectName(QStringLiteral("cboCategory"));
    m_category->setEditable(true);
    m_category->setInsertPolicy(QComboBox::NoInsert);
    m_category->addItems(categories);
    m_category->setCurrentText(proposed.category);
    m_keep = new QCheckBox(QStringLiteral("Also &keep it in the catalogue"), this);
    m_keep->setObjectName(QStringLiteral("chkKeep"));
    m_keep->setChecked(proposed.keepInCatalogue);
    form->addRow(QStringLiteral("&Quantity:"), m_quantity);
    form->addRow(QStringLiteral("&Item:"), m_item);
    form->addRow(QStringLiteral("&Category:"), m_category);
    form->addRow(m_keep);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto needItem = [this] { m_ok->setEnabled(!m_item->text().trimmed().isEmpty()); };
    connect(m_item, &QLineEdit::textChanged, this, needItem);
    needItem();
    m_item->setFocus();
    setMinimumWidth(m_item->fontMetrics().averageCharWidth() * 48);
}

OtherItem OtherItemDialog::answer() const
{
    return {m_quantity->text(), m_item->text(), m_category->currentText(), m_keep->isChecked()};
}
