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
        // Test pages of the web window: two closing elements at fixed places, a page that asks
        // for the window named by its query ("?to=ADDRESS"), and one that never finishes
        // loading (its image never arrives).
        {"/web/buttons.html",
         "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Buttons</title><style>"
         "body{margin:0;font:14px sans-serif;background:#eef3f8}"
         "#close,#close_ok{position:absolute;left:10px;width:140px;height:36px;border:0;"
         "color:#fff;font:bold 14px sans-serif}"
         "#close{top:10px;background:#b33}#close_ok{top:56px;background:#384}"
         "p{position:absolute;left:170px;top:10px;margin:0}</style></head><body>"
         "<button id=\"close\">Close</button>"
         "<button id=\"close_ok\"><span>OK</span></button>"
         "<p>Folioforge news</p></body></html>"},
        {"/web/opener.html",
         "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Opener</title></head><body>"
         "<script>var to = new URLSearchParams(location.search).get('to');"
         "if (to) { window.open(to); }</script></body></html>"},
        {"/web/slow.html",
         "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Slow</title></head><body>"
         "<p>Loading forever</p><img src=\"/web/stall\"></body></html>"},
    };
    return pages;
}

}  // namespace recordd
