#pragma once

// The small static web pages of the maker's site that the program opens or embeds.

#include <string_view>
#include <utility>
#include <vector>

namespace recordd {

struct Page {
    std::string_view path;  // "/", "/help", "/soft/folioforge.html", "/AD/folioforge.html",
                            // and the test pages under "/web/"
    std::string_view html;
};

const std::vector<Page>& StaticPages();

}  // namespace recordd
