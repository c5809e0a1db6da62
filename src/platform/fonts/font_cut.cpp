#include "platform/fonts/font_cut.h"

#include <hb-subset.h>

#include <memory>
#include <vector>

namespace platform {

namespace {

template <typename T, void (*Destroy)(T*)>
struct Destroyer {
  void operator()(T* object) const { Destroy(object); }
};
using Blob = std::unique_ptr<hb_blob_t, Destroyer<hb_blob_t, hb_blob_destroy>>;
using Face = std::unique_ptr<hb_face_t, Destroyer<hb_face_t, hb_face_destroy>>;
using SubsetInput = std::unique_ptr<hb_subset_input_t, Destroyer<hb_subset_input_t, hb_subset_input_destroy>>;

void Put16(std::string& bytes, unsigned value) {
  bytes += static_cast<char>(value >> 8 & 0xFF);
  bytes += static_cast<char>(value & 0xFF);
}

// A naming table that calls the font `family` and nothing else, so the cut
// copy is never taken for the whole font of the same name.
std::string NamingTable(std::u16string_view family) {
  std::u16string postscript;
  for (char16_t unit : family) {
    if (unit > u' ' && unit < 0x7F) postscript += unit;
  }
  const std::vector<std::pair<unsigned, std::u16string_view>> names = {
      {1, family}, {2, u"Regular"}, {4, family}, {6, postscript}};
  std::string table;
  std::string strings;
  Put16(table, 0);
  Put16(table, static_cast<unsigned>(names.size()));
  Put16(table, static_cast<unsigned>(6 + 12 * names.size()));
  for (const auto& [id, text] : names) {
    // Windows platform, Unicode, English (US): what FreeType and fontconfig read first.
    for (unsigned field : {3u, 1u, 0x409u, id, static_cast<unsigned>(2 * text.size()),
                           static_cast<unsigned>(strings.size())}) {
      Put16(table, field);
    }
    for (char16_t unit : text) Put16(strings, unit);
  }
  return table + strings;
}

}  // namespace

std::string CutFont(const std::string& path, int face, std::u32string_view characters, std::u16string_view family) {
  // The file is mapped only while it is cut.
  Blob whole_file(hb_blob_create_from_file_or_fail(path.c_str()));
  if (!whole_file || face < 0 || static_cast<unsigned>(face) >= hb_face_count(whole_file.get())) return {};
  Face whole(hb_face_create(whole_file.get(), static_cast<unsigned>(face)));
  SubsetInput input(hb_subset_input_create_or_fail());
  if (!input || hb_face_get_glyph_count(whole.get()) == 0) return {};
  hb_set_t* unicodes = hb_subset_input_unicode_set(input.get());
  for (char32_t character : characters) hb_set_add(unicodes, character);
  Face cut(hb_subset_or_fail(whole.get(), input.get()));
  if (!cut) return {};

  // The cut face read back as a file, to list its tables, then written again
  // with its own name.
  Blob cut_file(hb_face_reference_blob(cut.get()));
  Face reread(hb_face_create(cut_file.get(), 0));
  std::vector<hb_tag_t> tags(hb_face_get_table_tags(reread.get(), 0, nullptr, nullptr));
  auto count = static_cast<unsigned>(tags.size());
  hb_face_get_table_tags(reread.get(), 0, &count, tags.data());
  Face renamed(hb_face_builder_create());
  const hb_tag_t naming = HB_TAG('n', 'a', 'm', 'e');
  for (hb_tag_t tag : tags) {
    if (tag == naming) continue;
    Blob table(hb_face_reference_table(reread.get(), tag));
    hb_face_builder_add_table(renamed.get(), tag, table.get());
  }
  const std::string names = NamingTable(family);
  Blob name_table(hb_blob_create(names.data(), static_cast<unsigned>(names.size()), HB_MEMORY_MODE_DUPLICATE,
                                 nullptr, nullptr));
  hb_face_builder_add_table(renamed.get(), naming, name_table.get());
  Blob font(hb_face_reference_blob(renamed.get()));
  unsigned length = 0;
  const char* data = hb_blob_get_data(font.get(), &length);
  return std::string(data ? data : "", data ? length : 0);
}

}  // namespace platform
