// The main window's controls and timer by name; the values double as Win32 control IDs.
#pragma once

enum Control : int {
    按钮_记录 = 1001,
    按钮_停止,
    按钮_回放,
    按钮_删除,
    分组框_脚本,
    列表框_脚本,
    分组框_设置,
    标签_间隔时间,
    编辑框_间隔时间,
    调节器_间隔时间,
    标签_秒,
    标签_回放次数,
    编辑框_回放次数,
    调节器_回放次数,
    选择框_最小化,
    选择框_回放,
    标签_执行次数,
    标签_当前次数,
    标签_缓冲区,
    标签_录制进程,
    标签_回放,
    超级链接框1,
    超级链接框2,
    标签1,
    标签2,
    时钟_热键,
};

// Settings of the main window's position.
constexpr int kWindowNormal = 0;
constexpr int kWindowMinimised = 2;
