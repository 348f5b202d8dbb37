#pragma once
#include <filesystem>
#include <string>

#include "tools/skin-gen/skin_description.h"

namespace zep::skingen {

// Draws every picture of the skin into `skinsDir`. Returns an error text, empty on success.
[[nodiscard]] std::string PaintSkin(const SkinDescription& skin,
                                    const std::filesystem::path& skinsDir);

// Writes the eight layout files (both languages) under `skinsDir`, replacing earlier ones.
[[nodiscard]] std::string WriteLayouts(const SkinDescription& skin,
                                       const std::filesystem::path& skinsDir);

}  // namespace zep::skingen
