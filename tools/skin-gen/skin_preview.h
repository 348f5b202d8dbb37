#pragma once
#include <filesystem>
#include <string>

namespace zep::skingen {

// Reads the skin in `skinsDir` through the product's readers and writes PNGs into `outDir`: for
// each language every page at rest, hovered and pressed with its texts, a page composed as the
// window would show it, and the menus and the warning. Returns an error text, empty on success;
// any message the readers show is an error.
[[nodiscard]] std::string WritePreviews(const std::filesystem::path& skinsDir,
                                        const std::filesystem::path& outDir);

}  // namespace zep::skingen
