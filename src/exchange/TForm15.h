#pragma once

#include "TForm29.h"

namespace zeror {

// The second "Adat export": the same tables and files as "Adat export", written by the same
// algorithm, with "Mégsem" to close and "Mentés vége. " at the end. No menu item opens it.
class TForm15 : public TForm29
{
    Q_OBJECT

public:
    explicit TForm15(TData& dataModule, QWidget* parent = nullptr);
};

} // namespace zeror
