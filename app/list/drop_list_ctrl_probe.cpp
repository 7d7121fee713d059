// The image list's size probe: claiming rows, and putting results on the rows they belong to.

#include "drop_list_ctrl.h"
#include "image_row_model.h"
#include "size_probe.h"

namespace {

const std::wstring kClaimed = L"-";

std::wstring SizeText(const ProbeResult& result) {
    return std::to_wstring(result.width) + L"*" + std::to_wstring(result.height);
}

}  // namespace

bool CDropListCtrl::HasUnprobedRow() const {
    for (int row = 0; row < GetItemCount(); ++row) {
        if (model_->Text(row, kColumnDpi).empty()) {
            return true;
        }
    }
    return false;
}

void CDropListCtrl::StartSizeProbe() {
    std::vector<int> rows;
    std::vector<ProbeClaim> claims;
    for (int row = 0; row < GetItemCount(); ++row) {
        if (model_->Text(row, kColumnDpi).empty()) {
            rows.push_back(row);
            claims.push_back({model_->SerialOf(row), GetFullPath(row)});
        }
    }
    if (claims.empty()) {
        return;
    }
    model_->SetTexts(rows, kColumnDpi, kClaimed);
    probesInFlight_ += static_cast<int>(claims.size());
    probe_->Enqueue(std::move(claims));
}

void CDropListCtrl::TakeProbeResults() {
    for (const ProbeResult& result : probe_->TakeResults()) {
        --probesInFlight_;
        const int row = model_->RowOfSerial(result.serial);
        if (row < 0) {
            continue;  // the row was removed while its file was read
        }
        if (result.readable) {
            model_->SetText(row, kColumnDpi, std::to_wstring(result.xdpi));
            model_->SetText(row, kColumnSize, SizeText(result));
        } else {
            model_->SetText(row, kColumnDpi, kClaimed);
            model_->SetText(row, kColumnSize, L"");
        }
    }
}

LRESULT CDropListCtrl::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kProbeResultsMessage) {
        TakeProbeResults();
        return 0;
    }
    return CControlWindow::WindowProc(msg, wParam, lParam);
}
