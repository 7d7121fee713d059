// The usage events the list records, as the record server receives them: 107 with the number of
// dropped names, 108 with the row count and the new sort state.

#include "basalt/basalt.h"
#include "list_fixture.h"
#include "recordd_process.h"

namespace {

using UsageTest = ListTest;

// True when the submitted document counts event id with this Base64 info text.
bool Counts(const std::string& document, int id, const std::string& base64Info) {
    const std::string item = "{\"id\":\"" + std::to_string(id) + "\",\"count\":\"";
    for (size_t at = document.find(item); at != std::string::npos;
         at = document.find(item, at + 1)) {
        const size_t end = document.find('}', at);
        if (document.substr(at, end - at).ends_with("\"info\":\"" + base64Info + "\"")) {
            return true;
        }
    }
    return false;
}

TEST_F(UsageTest, DropsAndHeaderSortsAreCounted) {
    testsupport::TempDir serverFolder;
    testsupport::RecorddProcess server(serverFolder.path());
    AddNumbered(6);
    list_->AddDroppedPaths({Touch("x.jpg"), Touch("y.txt"), Wide(dir_ / "missing")});
    list_->SortByHeader(kColumnFolder, 0);
    ASSERT_EQ(SubmitRecord(server.wideUrl("/record.php").c_str()), 1);
    const std::string document = server.Query("SELECT document FROM submissions").at(0);
    EXPECT_TRUE(Counts(document, 107, "Mw==")) << document;  // "3"
    EXPECT_TRUE(Counts(document, 108, "Nywy")) << document;  // "7,2"
}

}  // namespace
