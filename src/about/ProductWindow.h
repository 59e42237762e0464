#pragma once

#include <QWidget>

class Platform;

// The window that presents the maker's programs; modeless.
class ProductWindow final : public QWidget
{
    Q_OBJECT

public:
    explicit ProductWindow(Platform &platform, QWidget *parent = nullptr);

private:
    Platform &m_platform;
};
