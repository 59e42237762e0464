#pragma once

#include <QDialog>

struct CommonDialog;
class QComboBox;
class QFontDialog;

// The screen font chooser: font, style, size and effects from Qt's font dialog, plus the text
// colour, picked from the sixteen standard colours, that Qt's dialog lacks. It starts from the
// common dialog's properties and, when accepted, stores the choice back into them.
class FontColorDialog final : public QDialog
{
    Q_OBJECT

public:
    FontColorDialog(const CommonDialog &properties, QWidget *parent = nullptr);

    void storeInto(CommonDialog &properties) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QFontDialog *m_fontDialog = nullptr;
    QComboBox *m_color = nullptr;
};
