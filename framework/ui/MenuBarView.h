#pragma once

#include <functional>

#include "ui/MenuBar.h"

class QMenuBar;

// Shows a menu bar model in a window's own native menu bar: menus, items with their shortcuts,
// separators. The model is shared by every window; each renders it anew and hears its own
// choices.
class MenuBarView {
  public:
    using Chosen = std::function<void(const Ref<MenuItem>&)>;

    // Replaces what the bar shows with the model (nothing for nil); chosen runs on each choice.
    static void Render(QMenuBar& bar, const Ref<MenuBar>& model, const Chosen& chosen);
};
