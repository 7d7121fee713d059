#pragma once

// CAboutDlg, the modal about box: the logo, the program's title and version, a line of text,
// the maker's web and support addresses, and OK. OK and the caption's close button close it.
//
// GUI thread only.

#include <string>
#include <vector>

#include "program_dialog.h"

class CAboutDlg : public CProgramDialog {
public:
    static constexpr UINT kText = 110;
    static constexpr UINT kPanel = 111;

    // owner (may be null) is the window the box is modal to and centred on.
    CAboutDlg(CFolioforgeApp& app, QWidget* owner);

    // Shows the box and returns IDOK once it has been closed.
    int DoModal();
    // Closes the box as OK does.
    void Close();

    // The texts shown, top to bottom (title, version, text line, web, support), for tests.
    std::vector<std::wstring> Texts() const;

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void BuildLayout();
    void AddLine(CUIStatic& line, const std::wstring& text, const RECT& rect);

    CUIImage logo_;
    CUIStatic title_;
    CUIStatic version_;
    CUIStatic textLine_;
    CUIStatic webAddress_;
    CUIStatic supportAddress_;
    CUIButton ok_;
    CUIImage panel_;
};
