#pragma once

namespace lw {

class UrlOpener;

// The About window's one decision: where its web address leads.
class AboutLogic {
public:
  explicit AboutLogic(UrlOpener& urls) : urls_(urls) {}

  // A click on the address or on the logo opens the home page.
  void Label4Click();

private:
  UrlOpener& urls_;
};

} // namespace lw
