#include "app/font_module.h"

#include <dlfcn.h>

#include "platform/fonts/font_cut.h"

namespace app {

decltype(ui::qt::FontCutter::cut) FontModuleCutter(std::vector<std::string> files) {
  return [files = std::move(files)](const ui::qt::FontFile& file, std::u32string_view characters,
                                    std::u16string_view family) {
    std::string cut;
    for (const std::string& name : files) {
      void* module = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
      if (!module) continue;
      using Cut = decltype(&MascotRaceCutFont);  // declared only: the module defines it
      const auto cut_font = reinterpret_cast<Cut>(dlsym(module, "MascotRaceCutFont"));
      const bool made = cut_font && cut_font(file.path, file.face, characters, family, cut);
      dlclose(module);
      if (made) break;
    }
    return cut;
  };
}

}  // namespace app
