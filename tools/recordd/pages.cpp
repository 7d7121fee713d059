#include "pages.h"

namespace recordd {

const std::vector<Page>& StaticPages() {
    static const std::vector<Page> pages = {
        {"/",
         "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Folioforge</title></head>"
         "<body><h1>Folioforge</h1><p>Turn your images into PDF documents.</p>"
         "<p><a href=\"/soft/folioforge.html\">Download</a> &middot; <a href=\"/help\">Help</a>"
         "</p></body></html>"},
        {"/help",
         "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Folioforge help</title>"
         "</head><body><h1>Help</h1><p>Add images, put them in order and choose Make PDF.</p>"
         "</body></html>"},
        {"/soft/folioforge.html",
         "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Get Folioforge</title>"
         "</head><body><h1>Folioforge</h1><p>The newest version is offered here.</p>"
         "</body></html>"},
        {"/AD/folioforge.html",
         "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Welcome</title></head>"
         "<body><p>Welcome to Folioforge.</p></body></html>"},
    };
    return pages;
}

}  // namespace recordd
