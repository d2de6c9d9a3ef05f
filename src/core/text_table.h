#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace lw {

inline constexpr int kTextCount = 1500;

// The built-in English catalogue, in index order.
extern const std::array<std::string_view, kTextCount> kEnglishTexts;

// The catalogue of user-interface texts: built-in English overlaid by at most
// one language file. Indices never move; callers pass constant indices.
class TextTable {
public:
  void Fill_English_Texts();
  const std::string& Get(int index) const;
  void Put(int index, std::string text);
  int Count() const { return static_cast<int>(texts_.size()); }
  void Clear() { texts_.clear(); }

private:
  std::vector<std::string> texts_;
};

} // namespace lw
