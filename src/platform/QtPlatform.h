#pragma once

#include "Platform.h"

#include <QPointer>

class QWidget;

// The platform layer on Qt's own dialogs.
class QtPlatform : public Platform
{
public:
    QtPlatform() = default;

    // The window the dialogs are modal to.
    void setDialogParent(QWidget *parent) { m_parent = parent; }

    MessageAnswer messageBox(const MessageBoxRequest &request) override;
    std::optional<QString> inputBox(const QString &prompt, const QString &title,
                                    const QString &defaultText) override;
    std::optional<OtherItem> otherItemBox(const OtherItem &proposed,
                                          const QStringList &categories) override;
    bool showOpen() override;
    bool showSave() override;
    bool showColor() override;
    bool showFont() override;
    int exec(QDialog &dialog) override;
    QSizeF screenSizeTwips() const override;
    void openUrl(const QUrl &url) override;

private:
    bool showFileDialog(bool save);

    QPointer<QWidget> m_parent;
};
