#pragma once

#include <string_view>

#include "ui/ApplicationMenuItem.h"
#include "ui/MenuItem.h"
#include "ui/QuitMenuItem.h"

namespace app {

// The items of the shared menu bar as a window reaches them: each looked up by name in the
// window's menu bar and cast to its kind. Both windows have them, through this one definition.
template <class W>
class MainMenuItems {
  public:
    Ref<MenuItem> HelpMenu() { return Item<MenuItem>("HelpMenu"); }
    Ref<MenuItem> VisitWebsite() { return Item<MenuItem>("VisitWebsite"); }
    Ref<ApplicationMenuItem> AboutMenu() { return Item<ApplicationMenuItem>("AboutMenu"); }
    Ref<MenuItem> EditMenu() { return Item<MenuItem>("EditMenu"); }
    Ref<MenuItem> EditSelectAll() { return Item<MenuItem>("EditSelectAll"); }
    Ref<MenuItem> EditSeparator2() { return Item<MenuItem>("EditSeparator2"); }
    Ref<MenuItem> EditClear() { return Item<MenuItem>("EditClear"); }
    Ref<MenuItem> EditPaste() { return Item<MenuItem>("EditPaste"); }
    Ref<MenuItem> EditCopy() { return Item<MenuItem>("EditCopy"); }
    Ref<MenuItem> EditCut() { return Item<MenuItem>("EditCut"); }
    Ref<MenuItem> EditSeparator1() { return Item<MenuItem>("EditSeparator1"); }
    Ref<MenuItem> EditUndo() { return Item<MenuItem>("EditUndo"); }
    Ref<MenuItem> FileMenu() { return Item<MenuItem>("FileMenu"); }
    Ref<QuitMenuItem> FileQuit() { return Item<QuitMenuItem>("FileQuit"); }

  private:
    template <class Kind>
    Ref<Kind> Item(std::string_view name) {
        return static_cast<W&>(*this).template MenuItemByName<Kind>(name);
    }
};

}  // namespace app
