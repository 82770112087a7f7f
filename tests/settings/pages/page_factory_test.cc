// The page table against the pages it makes: one row per kind in kind
// order, each page built from the row's dialog resource in both languages,
// and no two kinds sharing a resource.
#include "settings/pages/page_factory.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "plugin/state.h"
#include "settings/resources/control_ids.h"

namespace c51::settings {
namespace {

TEST(PageTable, EveryKindMakesThePageOfItsResource) {
  PluginState state;
  SettingsRecords records;
  SettingsSession session{&state, &records, nullptr};
  const auto table = PageTable();
  ASSERT_EQ(table.size(), static_cast<size_t>(PageKind::kCount));
  std::set<int> resources;
  for (size_t i = 0; i < table.size(); ++i) {
    const PageRow& row = table[i];
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(static_cast<size_t>(row.kind), i);
    EXPECT_EQ(&PageRowOf(row.kind), &row);
    EXPECT_NE(row.template_id, IDD_EMPTY_PAGE);
    EXPECT_TRUE(resources.insert(row.template_id).second) << "shared by two kinds";
    ASSERT_NE(row.make, nullptr);
    std::unique_ptr<CArdelPage> page = MakePage(row.kind, &session);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->template_id(), row.template_id);
    EXPECT_EQ(page->Template(Language::kEnglish).id, row.template_id);
    EXPECT_EQ(page->Template(Language::kChinese).id, row.template_id);
  }
}

}  // namespace
}  // namespace c51::settings
