// Fuzzes stored layouts: the text reader alone, and reading into a window with the menu's classes
// (every error must be an ELayoutError or another kit exception; nothing may crash or leak).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "framework/Exception.h"
#include "framework/Registration.h"
#include "framework/app/Application.h"
#include "framework/controls/Form.h"
#include "framework/layout/LayoutParser.h"
#include "framework/layout/LayoutReader.h"
#include "menu/Registration.h"
#include "platform/sim/SimMachine.h"
#include "platform/sim/SimProcess.h"
#include "services/ZkApplication.h"

namespace {

struct World {
    zindra::platform::sim::SimMachine machine{{}};
    zindra::platform::sim::SimProcess process{machine};
    zindra::TApplication app{process};
    World() {
        zindra::RegisterFrameworkClasses();
        zindra::RegisterMenuClasses();
        new zindra::TZkApplication(&app);
    }
};

// The layout's root must be read into a form of its own class; a plain form takes TForm.
class FuzzForm : public zindra::TForm {
public:
    using TForm::TForm;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool intoWindow = data[0] & 1;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    try {
        if (!intoWindow) {
            zindra::ParseLayout(text);
            return 0;
        }
        static World* world = new World;  // one machine for the whole run
        auto* form = world->app.CreateForm<FuzzForm>();
        try {
            zindra::ReadLayoutText(*form, form, text);
        } catch (const zindra::Exception&) {
        }
        delete form;
    } catch (const zindra::Exception&) {
    }
    return 0;
}
