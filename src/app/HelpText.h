#pragma once

#include <QString>

// The how-to text of Help > "How to use this program" and of a double click in the list.
QString HowToUseText();
