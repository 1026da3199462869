#pragma once
// What the format wizard's frame shares with the builders of its pages.

#include <QFont>

// The font of the wizard's window and of its centimetre fields.
QFont FonteFenetre();
