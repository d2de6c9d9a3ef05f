#include "params/grid_clipboard.h"

#include <gtest/gtest.h>

namespace lw {
namespace {

TEST(GridClipboard, CopyPasteAndClear) {
  DMX_Def_Table rows(4);
  rows[0] = {"1", "a"};
  rows[1] = {"2", "b"};
  EXPECT_EQ(copy_range(rows, {0, 0, 1, 2}), "1\t1\ta\n2\t2\tb\n");
  EXPECT_EQ(copy_range(rows, {1, 1, 1, 1}), "2\n");

  // From row 3, column 1: the third line falls beyond the last row, the
  // third cell of each line beyond the mnemonic.
  GridRange changed = paste_block(rows, 2, 1, "10\tx\textra\r\n20\ty\n30\tz\n");
  ASSERT_EQ(rows.size(), 4u);
  EXPECT_EQ(rows[2], (DMX_Def_Row{"10", "x"}));
  EXPECT_EQ(rows[3], (DMX_Def_Row{"20", "y"}));
  EXPECT_EQ(changed.bottom, 3);

  // Into the channel column: that cell is dropped, the rest lands.
  paste_block(rows, 0, 0, "99\t7\tq");
  EXPECT_EQ(rows[0], (DMX_Def_Row{"7", "q"}));

  clear_range(rows, {0, 0, 1, 1});
  EXPECT_EQ(rows[0], (DMX_Def_Row{"", "q"}));
  EXPECT_EQ(rows[1], (DMX_Def_Row{"", "b"}));
}

} // namespace
} // namespace lw
