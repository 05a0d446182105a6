// Control names taken from the enum itself, so a renamed control fails to build here.
#include "support/control_names.h"

#include "app/controls.h"

namespace rig {
namespace {

struct Named {
    Control id;
    const char* name;
};

#define NAMED(control) {control, #control}
const Named kNames[] = {
    NAMED(按钮_记录),       NAMED(按钮_停止),       NAMED(按钮_回放),       NAMED(按钮_删除),
    NAMED(分组框_脚本),     NAMED(列表框_脚本),     NAMED(分组框_设置),     NAMED(标签_间隔时间),
    NAMED(编辑框_间隔时间), NAMED(调节器_间隔时间), NAMED(标签_秒),         NAMED(标签_回放次数),
    NAMED(编辑框_回放次数), NAMED(调节器_回放次数), NAMED(选择框_最小化),   NAMED(选择框_回放),
    NAMED(标签_执行次数),   NAMED(标签_当前次数),   NAMED(标签_缓冲区),     NAMED(标签_录制进程),
    NAMED(标签_回放),       NAMED(超级链接框1),     NAMED(超级链接框2),     NAMED(标签1),
    NAMED(标签2),           NAMED(时钟_热键),
};
#undef NAMED

}  // namespace

const char* controlName(int id) {
    for (const Named& named : kNames) {
        if (named.id == id) return named.name;
    }
    return "?";
}

}  // namespace rig
