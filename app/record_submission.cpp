#include "record_submission.h"

#include <future>
#include <memory>
#include <thread>

#include "basalt/basalt.h"

namespace app {

bool SubmitUsageRecords(std::chrono::milliseconds patience) {
    auto accepted = std::make_shared<std::promise<bool>>();
    std::future<bool> answer = accepted->get_future();
    std::thread([accepted] { accepted->set_value(SubmitRecord(nullptr) == 1); }).detach();
    if (answer.wait_for(patience) != std::future_status::ready) {
        return false;
    }
    return answer.get();
}

}  // namespace app
