<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>版本 1.0.6</source>
        <translation>Version 1.0.6</translation>
    </message>
    <message>
        <source>澜星电子有限公司
版权所有</source>
        <translation>Lanxing Electronics Co., Ltd.
All rights reserved</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>正在与对讲机传输数据，传输结束后再恢复</source>
        <translation>A transfer with the radio is under way; restore once it has ended</translation>
    </message>
    <message>
        <source>已打开记录留存的数据；保存前它没有文件名。</source>
        <translation>Opened the data the record kept; it has no file name until saved.</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>打开备份</source>
        <translation>Open Backup</translation>
    </message>
    <message>
        <source>已保存 %1。</source>
        <translation>Saved %1.</translation>
    </message>
    <message>
        <source>%1%2。</source>
        <translation>%1 %2.</translation>
    </message>
    <message>
        <source>打开 %1</source>
        <translation>Open %1</translation>
    </message>
    <message>
        <source>写频软件</source>
        <translation>QTR-318 Programming</translation>
    </message>
    <message>
        <source>可选功能</source>
        <translation>Optional Features</translation>
    </message>
    <message>
        <source>调试参数</source>
        <translation>Tuning Values</translation>
    </message>
</context>
<context>
    <name>BatchWriteCommand</name>
    <message>
        <source>批量写频(&amp;B)...</source>
        <translation>&amp;Batch Write...</translation>
    </message>
    <message>
        <source>把表格依次写入一台又一台对讲机，每台都先备份、写后读回校验</source>
        <translation>Write the table to one radio after another, each backed up first and read back after</translation>
    </message>
</context>
<context>
    <name>CableDoctorDialog</name>
    <message>
        <source>串口诊断</source>
        <translation>Serial Port Diagnosis</translation>
    </message>
    <message>
        <source>诊断结果</source>
        <translation>Diagnosis</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>正在检查串口……</source>
        <translation>Checking the serial ports...</translation>
    </message>
</context>
<context>
    <name>CellAnnouncer</name>
    <message>
        <source>%1，到 %2</source>
        <translation>%1, now at %2</translation>
    </message>
    <message>
        <source>空</source>
        <translation>empty</translation>
    </message>
    <message>
        <source>信道%1 %2 %3</source>
        <translation>Channel %1 %2 %3</translation>
    </message>
</context>
<context>
    <name>ChannelDocument</name>
    <message>
        <source>数据文件 (*.sin)</source>
        <translation>Data files (*.sin)</translation>
    </message>
    <message>
        <source>无标题</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>修改信道 %1 %2</source>
        <translation>Edit Channel %1 %2</translation>
    </message>
    <message>
        <source>从电台读取</source>
        <translation>Read from Radio</translation>
    </message>
</context>
<context>
    <name>ChannelEdits</name>
    <message>
        <source>信道表的频段是 %1，文件中有它之外的频率；要换频段，请在“设置”中选择</source>
        <translation>The channel table&apos;s band is %1 and the file has frequencies outside it; to change the band, choose it under “Settings”</translation>
    </message>
    <message>
        <source>第 %1 行：%2</source>
        <translation>line %1: %2</translation>
    </message>
    <message>
        <source>剪贴板中没有信道</source>
        <translation>The clipboard holds no channels</translation>
    </message>
    <message>
        <source>剪贴板中有 %1 个信道，从信道 %2 起只能放下 %3 个</source>
        <translation>The clipboard holds %1 channels; from channel %2 on only %3 fit</translation>
    </message>
    <message>
        <source>信道 %1，%2：%3</source>
        <translation>channel %1, %2: %3</translation>
    </message>
    <message>
        <source>信道 %1：%2</source>
        <translation>channel %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>另有 %n 个问题没有列出</source>
        <translation>
            <numerusform>%n more problem not shown</numerusform>
            <numerusform>%n more problems not shown</numerusform>
        </translation>
    </message>
    <message>
        <source>剪贴板中有 %1 列，从“%2”起只能放下 %3 列</source>
        <translation>the clipboard holds %1 columns; from &quot;%2&quot; on there is room for %3</translation>
    </message>
</context>
<context>
    <name>ChannelForm</name>
    <message>
        <source>设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>机型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>频率</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>信道:</source>
        <translation>Channels:</translation>
    </message>
    <message>
        <source>信道</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>更改频段</source>
        <translation>Change Band</translation>
    </message>
    <message>
        <source>更改机型</source>
        <translation>Change Model</translation>
    </message>
    <message numerus="yes">
        <source>%n 个信道的频率不在“%1”之内，更改频段会清除这些信道。继续吗？</source>
        <translation>
            <numerusform>%n channel has a frequency outside %1; changing the band clears it. Go on?</numerusform>
            <numerusform>%n channels have a frequency outside %1; changing the band clears them. Go on?</numerusform>
        </translation>
    </message>
    <message>
        <source>信道 %1</source>
        <translation>Channel %1</translation>
    </message>
    <message>
        <source>机型(&amp;M)</source>
        <translation>&amp;Model</translation>
    </message>
    <message>
        <source>频率(&amp;B)</source>
        <translation>&amp;Band</translation>
    </message>
</context>
<context>
    <name>ChannelGrid</name>
    <message>
        <source>Ctrl+C 选择串口 COM1，所以粘贴信道请按 Shift+Insert（复制是 Ctrl+Insert）。</source>
        <translation>Ctrl+C chooses the port COM1 here: paste channels with Shift+Insert (copy with Ctrl+Insert).</translation>
    </message>
    <message>
        <source>Tab 和 Shift+Tab 逐格移动，在最后一格和第一格离开表格；Ctrl+Tab 随时离开表格。Enter 或 F2 编辑单元格，Delete 清除信道。</source>
        <translation>Tab and Shift+Tab move from cell to cell and leave the table after its last cell and before its first; Ctrl+Tab leaves it from any cell. Enter or F2 edits a cell, Delete clears the channel.</translation>
    </message>
</context>
<context>
    <name>ChannelTableModel</name>
    <message>
        <source>请输入列表中的信令</source>
        <translation>Please enter a signalling code from the list</translation>
    </message>
    <message>
        <source>%1：本频段为 %2–%3 MHz</source>
        <translation>%1: this band is %2–%3 MHz</translation>
    </message>
    <message>
        <source>繁忙锁定：信道上有人讲话时不让发射</source>
        <translation>Busy lockout: no transmitting while someone is talking on the channel</translation>
    </message>
    <message>
        <source>扰频：把话音打乱，只有同样设置的对讲机听得懂</source>
        <translation>Scrambler: scrambles the voice so that only radios set the same way understand it</translation>
    </message>
    <message>
        <source>压扩：发射时压缩、接收时扩展话音动态，降低噪声</source>
        <translation>Compander: compresses the voice&apos;s dynamics on transmit and expands them on receive, for less noise</translation>
    </message>
    <message>
        <source>加重：发射时提升、接收时衰减高音，降低嘶嘶声</source>
        <translation>Emphasis: raises the treble on transmit and lowers it on receive, for less hiss</translation>
    </message>
    <message>
        <source>信道%1</source>
        <translation>Channel %1</translation>
    </message>
</context>
<context>
    <name>ChannelTablePrinter</name>
    <message>
        <source>澜星写频软件 — 信道表</source>
        <translation>Lanxing Programming Software — Channel Table</translation>
    </message>
    <message>
        <source>文件: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>机型: %1    频率: %2</source>
        <translation>Model: %1    Band: %2</translation>
    </message>
    <message>
        <source>澜星写频软件 — 可选功能</source>
        <translation>Lanxing Programming Software — Optional Features</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>CompareDialog</name>
    <message>
        <source>与电台比较</source>
        <translation>Compare with Radio</translation>
    </message>
    <message>
        <source>对讲机里的数据与表格相同，写入不会改变什么。</source>
        <translation>The radio holds what the table shows; a write would change nothing.</translation>
    </message>
    <message numerus="yes">
        <source>写入会改变对讲机里的 %n 项：</source>
        <translation>
            <numerusform>A write would change %n item in the radio:</numerusform>
            <numerusform>A write would change %n items in the radio:</numerusform>
        </translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>电台</source>
        <translation>Radio</translation>
    </message>
    <message>
        <source>表格</source>
        <translation>Table</translation>
    </message>
    <message>
        <source>写数据(&amp;W)</source>
        <translation>&amp;Write Data</translation>
    </message>
</context>
<context>
    <name>CsvFileCommands</name>
    <message>
        <source>只取前 %1 个</source>
        <translation>Take the First %1</translation>
    </message>
    <message>
        <source>导入 CSV(&amp;I)...</source>
        <translation>&amp;Import CSV...</translation>
    </message>
    <message>
        <source>导出 CSV(&amp;E)...</source>
        <translation>&amp;Export CSV...</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>导入 CSV</source>
        <translation>Import CSV</translation>
    </message>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>无法导入 %1，什么也没有改变：</source>
        <translation>Cannot import %1; nothing was changed:</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>无法保存文件 %1：%2</source>
        <translation>Cannot save the file %1: %2</translation>
    </message>
    <message>
        <source>已导入 %1。</source>
        <translation>Imported %1.</translation>
    </message>
    <message>
        <source>已从 %1 导入信道表；“撤销”可以撤回这次导入。</source>
        <translation>Imported the channel table from %1; Undo takes the import back.</translation>
    </message>
    <message>
        <source>信道表已导出到 %1。</source>
        <translation>Exported the channel table to %1.</translation>
    </message>
</context>
<context>
    <name>DialogButtons</name>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>DocumentHistory</name>
    <message>
        <source>编辑</source>
        <translation>Edit</translation>
    </message>
</context>
<context>
    <name>EditCommands</name>
    <message>
        <source>撤销(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>重做(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>无法粘贴信道，什么也没有改变：</source>
        <translation>Cannot paste the channels; nothing was changed:</translation>
    </message>
    <message numerus="yes">
        <source>无法插入空信道：这里往下没有 %n 个空信道</source>
        <translation>
            <numerusform>Cannot insert an empty channel: there is no empty channel from here down</numerusform>
            <numerusform>Cannot insert empty channels: there are not %n empty channels from here down</numerusform>
        </translation>
    </message>
    <message>
        <source>剪切信道(&amp;T)</source>
        <translation>Cu&amp;t Channels</translation>
    </message>
    <message>
        <source>复制信道(&amp;C)</source>
        <translation>&amp;Copy Channels</translation>
    </message>
    <message>
        <source>粘贴信道(&amp;P)</source>
        <translation>&amp;Paste Channels</translation>
    </message>
    <message>
        <source>清除信道(&amp;L)</source>
        <translation>C&amp;lear Channels</translation>
    </message>
    <message>
        <source>插入空信道(&amp;I)</source>
        <translation>&amp;Insert Empty Channel</translation>
    </message>
    <message>
        <source>删除信道(&amp;D)</source>
        <translation>&amp;Delete Channels</translation>
    </message>
    <message>
        <source>上移(&amp;M)</source>
        <translation>&amp;Move Up</translation>
    </message>
    <message>
        <source>下移(&amp;W)</source>
        <translation>Move Do&amp;wn</translation>
    </message>
    <message>
        <source>移动信道 %1</source>
        <translation>Move Channels %1</translation>
    </message>
    <message>
        <source>剪切信道 %1</source>
        <translation>Cut Channels %1</translation>
    </message>
    <message>
        <source>粘贴信道 %1</source>
        <translation>Paste Channels %1</translation>
    </message>
    <message>
        <source>清除信道 %1</source>
        <translation>Clear Channels %1</translation>
    </message>
    <message>
        <source>插入空信道 %1</source>
        <translation>Insert Empty Channels %1</translation>
    </message>
    <message>
        <source>删除信道 %1</source>
        <translation>Delete Channels %1</translation>
    </message>
    <message>
        <source>上移信道 %1</source>
        <translation>Move Channels %1 Up</translation>
    </message>
    <message>
        <source>下移信道 %1</source>
        <translation>Move Channels %1 Down</translation>
    </message>
</context>
<context>
    <name>FleetCommands</name>
    <message>
        <source>没有保存为计划：%1</source>
        <translation>Not saved as a plan: %1</translation>
    </message>
    <message>
        <source>已保存为计划 %1 的第 %2 版</source>
        <translation>Saved as version %2 of plan %1</translation>
    </message>
    <message>
        <source>内容与计划 %1 的最新版本（第 %2 版）相同，没有添加版本</source>
        <translation>The content equals the latest version of plan %1 (version %2); no version was added</translation>
    </message>
    <message>
        <source>有电台自己的值不适合新版本，写它们之前请改正：</source>
        <translation>The own values of some radios do not fit the new version; mend them before writing those radios:</translation>
    </message>
</context>
<context>
    <name>FleetDialog</name>
    <message>
        <source>车队</source>
        <translation>Fleet</translation>
    </message>
    <message>
        <source>电台(&amp;D)</source>
        <translation>Ra&amp;dios</translation>
    </message>
    <message>
        <source>计划(&amp;N)</source>
        <translation>Pla&amp;ns</translation>
    </message>
    <message>
        <source>导出 CSV(&amp;E)...</source>
        <translation>&amp;Export CSV...</translation>
    </message>
    <message>
        <source>刷新(&amp;S)</source>
        <translation>Refre&amp;sh</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>组(&amp;G):</source>
        <translation>&amp;Group:</translation>
    </message>
    <message>
        <source>状态(&amp;T):</source>
        <translation>S&amp;tate:</translation>
    </message>
    <message>
        <source>标签(&amp;L):</source>
        <translation>&amp;Label:</translation>
    </message>
    <message>
        <source>电台</source>
        <translation>Radios</translation>
    </message>
    <message>
        <source>所选电台的计划和自己的值</source>
        <translation>The selected radio&apos;s plan and own values</translation>
    </message>
    <message>
        <source>所选电台的读写记录</source>
        <translation>The selected radio&apos;s reads and writes</translation>
    </message>
    <message>
        <source>恢复到此版本(&amp;R)</source>
        <translation>&amp;Restore This Version</translation>
    </message>
    <message>
        <source>把这条记录留存的数据作为窗口的文档打开：读时电台里的，写时写给它的</source>
        <translation>Open the data this record kept as the window&apos;s document: what the radio held, for a read; what it was given, for a write</translation>
    </message>
    <message>
        <source>电台详情(&amp;I):</source>
        <translation>Radio deta&amp;ils:</translation>
    </message>
    <message>
        <source>读写记录(&amp;H):</source>
        <translation>&amp;History:</translation>
    </message>
    <message>
        <source>计划和版本</source>
        <translation>Plans and versions</translation>
    </message>
    <message>
        <source>计划</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>工位</source>
        <translation>Station</translation>
    </message>
    <message>
        <source>备注</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>车队位置：%1</source>
        <translation>Fleet location: %1</translation>
    </message>
    <message>
        <source>还没有编程记录，也就还没有车队：先用“文件”→“保存为计划...”或 qtr318 plan add 建立计划，用 qtr318 fleet add 加入电台</source>
        <translation>There is no programming log yet, so no fleet either: make a plan with File → Save as Plan... or qtr318 plan add, and add radios with qtr318 fleet add</translation>
    </message>
    <message>
        <source>标签</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>组</source>
        <translation>Group</translation>
    </message>
    <message>
        <source>最新版本</source>
        <translation>Latest version</translation>
    </message>
    <message>
        <source>已写版本</source>
        <translation>Version written</translation>
    </message>
    <message>
        <source>写入时间</source>
        <translation>Written at</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>State</translation>
    </message>
    <message>
        <source>问题</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>显示 %1 台电台，共 %2 台</source>
        <translation>Showing %1 of %2 radios</translation>
    </message>
    <message>
        <source>计划：%1，第 %2 版</source>
        <translation>Plan: %1, version %2</translation>
    </message>
    <message>
        <source>备注：%1</source>
        <translation>Note: %1</translation>
    </message>
    <message>
        <source>问题：%1</source>
        <translation>Problem: %1</translation>
    </message>
    <message>
        <source>没有自己的值</source>
        <translation>No own values</translation>
    </message>
    <message>
        <source>自己的值：</source>
        <translation>Own values:</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>计划@版本</source>
        <translation>Plan@version</translation>
    </message>
    <message>
        <source>没能恢复这条记录的数据：%1</source>
        <translation>Could not restore this record&apos;s data: %1</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>没能导出车队：%1</source>
        <translation>Could not export the fleet: %1</translation>
    </message>
</context>
<context>
    <name>FleetStation</name>
    <message>
        <source>%1 还没有车队：没有计划，也没有电台。</source>
        <translation>%1 holds no fleet yet: no plans and no radios.</translation>
    </message>
    <message>
        <source>（空）</source>
        <translation>(empty)</translation>
    </message>
</context>
<context>
    <name>LogDialog</name>
    <message>
        <source>编程记录</source>
        <translation>Programming Log</translation>
    </message>
    <message>
        <source>不限</source>
        <translation>Any</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>标签(&amp;L):</source>
        <translation>&amp;Label:</translation>
    </message>
    <message>
        <source>端口(&amp;P):</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>结果(&amp;R):</source>
        <translation>&amp;Result:</translation>
    </message>
    <message>
        <source>从(&amp;F):</source>
        <translation>&amp;From:</translation>
    </message>
    <message>
        <source>到(&amp;T):</source>
        <translation>&amp;To:</translation>
    </message>
    <message>
        <source>导出 CSV(&amp;E)...</source>
        <translation>&amp;Export CSV...</translation>
    </message>
    <message>
        <source>刷新(&amp;S)</source>
        <translation>Refre&amp;sh</translation>
    </message>
    <message>
        <source>导出 CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>没能导出编程记录：%1</source>
        <translation>Could not export the programming log: %1</translation>
    </message>
    <message>
        <source>位置(&amp;O)...</source>
        <translation>L&amp;ocation...</translation>
    </message>
    <message>
        <source>记录位置：%1</source>
        <translation>Log location: %1</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>用时(毫秒)</source>
        <translation>Duration (ms)</translation>
    </message>
    <message>
        <source>程序</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>程序版本</source>
        <translation>Program version</translation>
    </message>
    <message>
        <source>计算机</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>Operation</translation>
    </message>
    <message>
        <source>端口</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>设备</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>USB 厂商</source>
        <translation>USB vendor</translation>
    </message>
    <message>
        <source>USB 产品</source>
        <translation>USB product</translation>
    </message>
    <message>
        <source>USB 序列号</source>
        <translation>USB serial</translation>
    </message>
    <message>
        <source>电台标识</source>
        <translation>Radio ident</translation>
    </message>
    <message>
        <source>型号</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>频段</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>数据 SHA-256</source>
        <translation>Data SHA-256</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>备份</source>
        <translation>Backup</translation>
    </message>
    <message>
        <source>标签</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>块数</source>
        <translation>Blocks</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>计划</source>
        <translation>Plan</translation>
    </message>
    <message>
        <source>计划版本</source>
        <translation>Plan version</translation>
    </message>
    <message>
        <source>没有符合条件的记录</source>
        <translation>No records match the filters</translation>
    </message>
</context>
<context>
    <name>LogLocationDialog</name>
    <message>
        <source>密码不写进 URI：这里的设置存放在普通的设置文件里。服务器要密码时，把它写进 ~/.pgpass（每行 主机:端口:数据库:用户:密码，文件权限 0600）或 PGPASSFILE 指定的文件；也可以在 pg_service.conf 里定义服务，填写 postgresql:///?service=服务名。连接服务器的程序库会从这些地方读取密码。</source>
        <translation>Keep the password out of the URI: this setting is stored in an ordinary settings file. When the server asks for a password, put it in ~/.pgpass (one line host:port:database:user:password, file mode 0600) or in the file PGPASSFILE names; or define a service in pg_service.conf and enter postgresql:///?service=name. The server&apos;s client library reads the password from there.</translation>
    </message>
    <message>
        <source>无法使用 %1：%2。</source>
        <translation>Cannot use %1: %2.</translation>
    </message>
    <message>
        <source>不保存带密码的 URI：请从 URI 中去掉密码，把它写进 ~/.pgpass 或 PGPASSFILE 指定的文件（见上文）。</source>
        <translation>A URI with a password is not saved: take the password out of the URI and put it in ~/.pgpass or the file PGPASSFILE names (see above).</translation>
    </message>
    <message>
        <source>测试连接(&amp;T)</source>
        <translation>&amp;Test Connection</translation>
    </message>
    <message>
        <source>编程记录位置</source>
        <translation>Programming Log Location</translation>
    </message>
    <message>
        <source>编程记录存放在本机的一个 SQLite 文件里。几个编程台共用一份记录时，填写 PostgreSQL 服务器的连接 URI，例如 postgresql://用户@主机:5432/数据库。留空即用默认文件。</source>
        <translation>The programming log is kept in an SQLite file on this computer. For one log shared by several stations, enter a PostgreSQL server&apos;s connection URI, such as postgresql://user@host:5432/database. Leave it empty for the default file.</translation>
    </message>
    <message>
        <source>位置(&amp;L):</source>
        <translation>&amp;Location:</translation>
    </message>
    <message>
        <source>浏览(&amp;B)...</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>恢复默认(&amp;D)</source>
        <translation>Restore &amp;Default</translation>
    </message>
    <message>
        <source>环境变量 QTR318_LOG 指定了 %1；它设定期间，这里的设置不起作用。</source>
        <translation>The QTR318_LOG environment variable names %1; while it is set, the setting here has no effect.</translation>
    </message>
    <message>
        <source>%1 可用。</source>
        <translation>%1 is ready.</translation>
    </message>
    <message>
        <source>连不上 %1（%2）。传送照常进行，记录先存在本机 %3，服务器恢复后再发送。</source>
        <translation>Cannot reach %1 (%2). Transfers go on as usual; their records wait in %3 on this computer and are sent when the server is back.</translation>
    </message>
    <message>
        <source>无法打开 %1（%2）。传送照常进行，但不会记入编程记录。</source>
        <translation>Cannot open %1 (%2). Transfers go on as usual, but they will not be logged.</translation>
    </message>
    <message>
        <source>编程记录文件</source>
        <translation>Programming Log File</translation>
    </message>
    <message>
        <source>SQLite 数据库 (*.sqlite *.db);;所有文件 (*)</source>
        <translation>SQLite databases (*.sqlite *.db);;All files (*)</translation>
    </message>
    <message>
        <source>正在连接...</source>
        <translation>Connecting...</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>保存为计划(&amp;L)...</source>
        <translation>Save as P&amp;lan...</translation>
    </message>
    <message>
        <source>把活动文档作为车队一个计划的下一版保存到编程记录的数据库</source>
        <translation>Save the active document as the next version of a fleet plan in the programming log&apos;s database</translation>
    </message>
    <message>
        <source>保存为计划</source>
        <translation>Save as Plan</translation>
    </message>
    <message>
        <source>车队(&amp;F)...</source>
        <translation>&amp;Fleet...</translation>
    </message>
    <message>
        <source>列出车队的每台电台：该写的计划版本、已写的版本和状态；以及计划和它们的版本</source>
        <translation>List every radio of the fleet: the plan version it should have, the version written and its state; and the plans with their versions</translation>
    </message>
    <message>
        <source>车队</source>
        <translation>Fleet</translation>
    </message>
    <message>
        <source>澜星写频软件</source>
        <translation>Lanxing Programming Software</translation>
    </message>
    <message>
        <source>新建(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <source>建立新文档</source>
        <translation>Create a new document</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>New</translation>
    </message>
    <message>
        <source>打开(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <source>打开一个现有文档</source>
        <translation>Open an existing document</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>保存(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <source>保存活动文档</source>
        <translation>Save the active document</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>将活动文档以一个新文件名保存</source>
        <translation>Save the active document under a new name</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>打印(&amp;P)...	Ctrl+P</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <source>打印活动文档</source>
        <translation>Print the active document</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>打印预览(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <source>显示整页</source>
        <translation>Display full pages</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>打印设置(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <source>改变打印机及打印选项</source>
        <translation>Change the printer and printing options</translation>
    </message>
    <message>
        <source>打印设置</source>
        <translation>Print Setup</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>退出应用程序；提示保存文档</source>
        <translation>Quit the application; prompts to save the document</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>可选功能(&amp;O)</source>
        <translation>&amp;Optional Features</translation>
    </message>
    <message>
        <source>读数据(&amp;R)</source>
        <translation>&amp;Read Data</translation>
    </message>
    <message>
        <source>从对讲机读取数据</source>
        <translation>Read the data from the radio</translation>
    </message>
    <message>
        <source>读频</source>
        <translation>Read</translation>
    </message>
    <message>
        <source>写数据(&amp;W)</source>
        <translation>&amp;Write Data</translation>
    </message>
    <message>
        <source>向对讲机写入数据</source>
        <translation>Write the data to the radio</translation>
    </message>
    <message>
        <source>写频</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>工具栏(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>显示或隐藏工具栏</source>
        <translation>Show or hide the toolbar</translation>
    </message>
    <message>
        <source>显隐工具栏</source>
        <translation>Toggle Toolbar</translation>
    </message>
    <message>
        <source>状态栏(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <source>显示或隐藏状态栏</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <source>显隐状态栏</source>
        <translation>Toggle Status Bar</translation>
    </message>
    <message>
        <source>关于(&amp;A) ...</source>
        <translation>&amp;About...</translation>
    </message>
    <message>
        <source>显示程序信息，版本号和版权</source>
        <translation>Display program information, version number and copyright</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>About</translation>
    </message>
    <message>
        <source>串口诊断(&amp;D)...</source>
        <translation>Serial Port &amp;Diagnosis...</translation>
    </message>
    <message>
        <source>检查编程线能否使用，列出妨碍它的原因和解决办法</source>
        <translation>Check whether the programming cable can be used, and list what stands in its way and how to fix it</translation>
    </message>
    <message>
        <source>串口诊断</source>
        <translation>Serial Port Diagnosis</translation>
    </message>
    <message>
        <source>跟随系统(&amp;S)</source>
        <translation>Follow &amp;System</translation>
    </message>
    <message>
        <source>使用桌面的浅色或深色</source>
        <translation>Use the desktop&apos;s light or dark colours</translation>
    </message>
    <message>
        <source>浅色(&amp;L)</source>
        <translation>&amp;Light</translation>
    </message>
    <message>
        <source>浅色窗口</source>
        <translation>Light window</translation>
    </message>
    <message>
        <source>深色(&amp;D)</source>
        <translation>&amp;Dark</translation>
    </message>
    <message>
        <source>深色窗口</source>
        <translation>Dark window</translation>
    </message>
    <message>
        <source>外观(&amp;A)</source>
        <translation>&amp;Appearance</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>编程(&amp;P)</source>
        <translation>&amp;Program</translation>
    </message>
    <message>
        <source>端口(&amp;C)</source>
        <translation>&amp;COM Port</translation>
    </message>
    <message>
        <source>查看(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>工具栏</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>就绪</source>
        <translation>Ready</translation>
    </message>
    <message>
        <source>无法打印。</source>
        <translation>Cannot print.</translation>
    </message>
    <message>
        <source>打开备份(&amp;B)...</source>
        <translation>Open &amp;Backup...</translation>
    </message>
    <message>
        <source>打开备份文件夹里从对讲机读出或写入对讲机之前保存的数据</source>
        <translation>Open data kept in the backup folder when it was read from or was about to be written to a radio</translation>
    </message>
    <message>
        <source>打开备份</source>
        <translation>Open Backup</translation>
    </message>
    <message>
        <source>选择串口%1 （%2，%3）</source>
        <translation>Use serial port COM%1 (%2, %3)</translation>
    </message>
    <message>
        <source>存在</source>
        <translation>present</translation>
    </message>
    <message>
        <source>不存在</source>
        <translation>not present</translation>
    </message>
    <message>
        <source>文件 %1，有未保存的更改</source>
        <translation>File %1, with unsaved changes</translation>
    </message>
    <message>
        <source>文件 %1</source>
        <translation>File %1</translation>
    </message>
    <message>
        <source>是否保存对 %1 的更改?</source>
        <translation>Save changes to %1?</translation>
    </message>
</context>
<context>
    <name>Messenger</name>
    <message>
        <source>警告</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>OptionalFeaturesDialog</name>
    <message>
        <source>可选功能</source>
        <translation>Optional Features</translation>
    </message>
    <message>
        <source>提示音</source>
        <translation>Beep</translation>
    </message>
    <message>
        <source>声控</source>
        <translation>VOX</translation>
    </message>
    <message>
        <source>%1(秒)</source>
        <translation>%1 (s)</translation>
    </message>
</context>
<context>
    <name>PasswordDialog</name>
    <message>
        <source>密码</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>密码错误，不能打开参数调节</source>
        <translation>Wrong password: the tuning values stay closed</translation>
    </message>
</context>
<context>
    <name>PlanNameDialog</name>
    <message>
        <source>保存为计划</source>
        <translation>Save as Plan</translation>
    </message>
    <message>
        <source>计划名称(&amp;N):</source>
        <translation>Plan &amp;name:</translation>
    </message>
    <message>
        <source>备注(&amp;T):</source>
        <translation>No&amp;te:</translation>
    </message>
    <message>
        <source>与该计划最新版本相同的内容不会添加新版本。</source>
        <translation>Content equal to the plan&apos;s latest version adds no version.</translation>
    </message>
</context>
<context>
    <name>StationCommands</name>
    <message>
        <source>与电台比较(&amp;M)</source>
        <translation>Co&amp;mpare with Radio</translation>
    </message>
    <message>
        <source>读对讲机，列出写入表格会改变的每一项；窗口里的数据不变</source>
        <translation>Reads the radio and lists every item a write of the table would change; the window&apos;s data stays as it is</translation>
    </message>
    <message>
        <source>编程记录(&amp;L)...</source>
        <translation>Programming &amp;Log...</translation>
    </message>
    <message>
        <source>列出每一次读、写和校验：哪台对讲机、什么数据、结果如何</source>
        <translation>Lists every read, write and verify: which radio, what data, and how it ended</translation>
    </message>
</context>
<context>
    <name>StationDialog</name>
    <message>
        <source>批量写频</source>
        <translation>Batch Write</translation>
    </message>
    <message>
        <source>端口：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>SHA-256</source>
        <translation>SHA-256</translation>
    </message>
    <message>
        <source>数据的 SHA-256：</source>
        <translation>SHA-256 of the data:</translation>
    </message>
    <message>
        <source>标签</source>
        <translation>Label</translation>
    </message>
    <message>
        <source>标签(&amp;L)：</source>
        <translation>&amp;Label:</translation>
    </message>
    <message>
        <source>其他机型或频段的对讲机也照样写入(&amp;O)</source>
        <translation>&amp;Overwrite radios of another model or band too</translation>
    </message>
    <message>
        <source>每台电台的差异(&amp;V)...</source>
        <translation>Per-radio o&amp;verrides...</translation>
    </message>
    <message>
        <source>不用差异(&amp;R)</source>
        <translation>&amp;Remove overrides</translation>
    </message>
    <message>
        <source>还没有开始</source>
        <translation>Not started</translation>
    </message>
    <message>
        <source>接好写频线，按“开始”。</source>
        <translation>Connect the programming cable and press Start.</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>已写的对讲机</source>
        <translation>Radios written</translation>
    </message>
    <message>
        <source>开始(&amp;S)</source>
        <translation>&amp;Start</translation>
    </message>
    <message>
        <source>停止(&amp;T)</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>第 %1 台正在写入：写完并校验后停止，请不要取下它。</source>
        <translation>Radio %1 is being written: the station stops once it is written and verified; do not unplug it.</translation>
    </message>
    <message>
        <source>正在停止…</source>
        <translation>Stopping…</translation>
    </message>
    <message>
        <source>第 %1 台</source>
        <translation>Radio %1</translation>
    </message>
    <message>
        <source>等待对讲机接到 %1…</source>
        <translation>Waiting for a radio on %1…</translation>
    </message>
    <message>
        <source>第 %1 台：%2…</source>
        <translation>Radio %1: %2…</translation>
    </message>
    <message>
        <source>第 %1 台 %2</source>
        <translation>Radio %1 %2</translation>
    </message>
    <message>
        <source>第 %1 台：%2
可以取下了。</source>
        <translation>Radio %1: %2
You can unplug it now.</translation>
    </message>
    <message numerus="yes">
        <source>本轮共 %n 台</source>
        <translation>
            <numerusform>%n radio this run</numerusform>
            <numerusform>%n radios this run</numerusform>
        </translation>
    </message>
    <message>
        <source>已停止。%1</source>
        <translation>Stopped. %1</translation>
    </message>
    <message>
        <source>写好 %1 台，拒绝 %2 台，失败 %3 台，写入前停止 %4 台。</source>
        <translation>Written: %1, refused: %2, failed: %3, stopped before the write: %4.</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>Succeeded</translation>
    </message>
    <message>
        <source>拒绝写入</source>
        <translation>Refused</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>校验不符</source>
        <translation>Verify mismatch</translation>
    </message>
    <message>
        <source>未校验</source>
        <translation>Not verified</translation>
    </message>
    <message>
        <source>已停止，未写入</source>
        <translation>Stopped, not written</translation>
    </message>
    <message>
        <source>每台电台的差异</source>
        <translation>Per-Radio Overrides</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>%1 没有采用：
%2</source>
        <translation>%1 was not taken:
%2</translation>
    </message>
    <message>
        <source>每台电台写同样的数据。</source>
        <translation>Every radio gets the same data.</translation>
    </message>
    <message numerus="yes">
        <source>%n 台电台的差异已检查（%1）：每台依次取一行，写好并校验通过后换下一行；都写好后停止。</source>
        <translation>
            <numerusform>Overrides for %n radio checked (%1): each radio takes the next line once the one before is written and verified; the station stops when all are written.</numerusform>
            <numerusform>Overrides for %n radios checked (%1): each radio takes the next line once the one before is written and verified; the station stops when all are written.</numerusform>
        </translation>
    </message>
    <message>
        <source>已写好 %1 台，还剩 %2 台。</source>
        <translation> %1 written, %2 to go.</translation>
    </message>
    <message>
        <source>每台不同，见列表</source>
        <translation>Differs per radio, see the list</translation>
    </message>
    <message>
        <source>第 %1 台：%2</source>
        <translation>Radio %1: %2</translation>
    </message>
    <message>
        <source>差异文件的电台都已写好，批量写频结束。%1</source>
        <translation>Every radio of the overrides file is written; the station has ended. %1</translation>
    </message>
    <message>
        <source>编号接着上一轮，从第 %1 台起；列表保留上一轮的电台。</source>
        <translation>Numbering goes on from the last run, from radio %1; the list keeps the last run&apos;s radios.</translation>
    </message>
    <message>
        <source>按车队(&amp;F)：每台先输入或扫描标签，写它的计划和它自己的值</source>
        <translation>By &amp;fleet: enter or scan each radio&apos;s label first, and write its plan with its own values</translation>
    </message>
    <message>
        <source>不能按车队写频（不知道电台的计划），没有开始：%1</source>
        <translation>Cannot write by fleet without the radios&apos; plans; not started: %1</translation>
    </message>
    <message>
        <source>输入或扫描下一台电台的标签，按 Enter。</source>
        <translation>Enter or scan the next radio&apos;s label and press Enter.</translation>
    </message>
    <message>
        <source>这台电台正在本工位写入</source>
        <translation>this radio is being written at this station</translation>
    </message>
    <message>
        <source>有信道在频段之外或不在步进上</source>
        <translation>some channels are outside the band or off the raster</translation>
    </message>
    <message>
        <source>没有写入：%1</source>
        <translation>Not written: %1</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>与计划相同</source>
        <translation>Same as the plan</translation>
    </message>
    <message>
        <source>按车队：每台电台写它的计划的最新版本和它自己的值。</source>
        <translation>By fleet: each radio gets its plan&apos;s latest version with its own values.</translation>
    </message>
</context>
<context>
    <name>TransferCommands</name>
    <message>
        <source>%1读数据期间在表格里做的修改已被替换，撤销可以找回。</source>
        <translation>%1 The changes made in the table during the read were replaced; Undo brings them back.</translation>
    </message>
    <message>
        <source>读数据</source>
        <translation>Read Data</translation>
    </message>
    <message>
        <source>写数据</source>
        <translation>Write Data</translation>
    </message>
    <message>
        <source>与电台比较</source>
        <translation>Compare with Radio</translation>
    </message>
    <message>
        <source>信道 %1 的频率不在“%2”之内或不在频率步进上，对讲机无法使用这些信道。仍然写入吗？</source>
        <translation>Channel %1 has frequencies outside %2 or off the channel raster; the radio cannot use them. Write anyway?</translation>
    </message>
    <message>
        <source>端口：%1（%2）</source>
        <translation>Port: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>TransferDialog</name>
    <message>
        <source>开始</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>进度:</source>
        <translation>Progress:</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>写后校验</source>
        <translation>Verify after write</translation>
    </message>
    <message>
        <source>写入之后把对讲机的数据读回来，与写入的比较</source>
        <translation>After writing, read the radio back and compare it with what was written</translation>
    </message>
    <message>
        <source>标签(&amp;L):</source>
        <translation>&amp;Label:</translation>
    </message>
    <message>
        <source>编程记录里与这次传输一起记下的文字，如车号或使用人</source>
        <translation>Text the programming log keeps with this transfer, such as a truck number or a user</translation>
    </message>
</context>
<context>
    <name>TuningDialog</name>
    <message>
        <source>参数调节</source>
        <translation>Tuning</translation>
    </message>
    <message>
        <source>接收参数</source>
        <translation>Receive Parameters</translation>
    </message>
    <message>
        <source>发射参数</source>
        <translation>Transmit Parameters</translation>
    </message>
    <message>
        <source>请输入一个整数。</source>
        <translation>Please enter an integer.</translation>
    </message>
</context>
<context>
    <name>WindowTransfer</name>
    <message>
        <source>串口诊断...</source>
        <translation>Serial Port Diagnosis...</translation>
    </message>
    <message>
        <source>写后校验</source>
        <translation>Verify after write</translation>
    </message>
    <message>
        <source>数据已写入，但写后校验没有完成：%1。请再读一次对讲机检查。</source>
        <translation>The data was written, but the check after the write did not finish: %1. Read the radio once more to check it.</translation>
    </message>
    <message>
        <source>写入</source>
        <translation>written</translation>
    </message>
    <message>
        <source>电台</source>
        <translation>radio</translation>
    </message>
    <message>
        <source>写后校验发现对讲机里的数据与写入的不同。</source>
        <translation>The check after the write found the radio holding other data than was written.</translation>
    </message>
    <message>
        <source>写后校验发现对讲机里的数据与写入的不同：信道 %1。</source>
        <translation>The check after the write found the radio holding other data than was written: channel %1.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>没能在备份文件夹里保存一份：%1</source>
        <translation>Could not keep a copy in the backup folder: %1</translation>
    </message>
    <message>
        <source>读数据</source>
        <translation>Read Data</translation>
    </message>
    <message>
        <source>写数据</source>
        <translation>Write Data</translation>
    </message>
    <message>
        <source>数据已写入对讲机（%1）。</source>
        <translation>The data was written to the radio (%1).</translation>
    </message>
    <message>
        <source>数据已写入对讲机（%1），写后校验一致。</source>
        <translation>The data was written to the radio (%1) and checked after the write.</translation>
    </message>
    <message>
        <source>数据已写入对讲机（%1），但写后校验没有通过。</source>
        <translation>The data was written to the radio (%1), but the check after the write failed.</translation>
    </message>
    <message>
        <source>这次传输没有记入编程记录：%1</source>
        <translation>This transfer was not recorded in the programming log: %1</translation>
    </message>
    <message>
        <source>已读出对讲机（%1）的数据与表格比较，窗口里的数据没有改变。</source>
        <translation>The radio (%1) was read to compare it with the table; the data in the window is unchanged.</translation>
    </message>
    <message>
        <source>已从对讲机（%1）读入数据。</source>
        <translation>The data was read from the radio (%1).</translation>
    </message>
    <message>
        <source>读数据已取消（%1），窗口里的数据没有改变。</source>
        <translation>Reading was cancelled (%1); the data in the window is unchanged.</translation>
    </message>
    <message>
        <source>读数据失败（%1），窗口里的数据没有改变。</source>
        <translation>Reading failed (%1); the data in the window is unchanged.</translation>
    </message>
    <message>
        <source>数据已写入对讲机（%1），但没有校验。</source>
        <translation>The data was written to the radio (%1), but not checked.</translation>
    </message>
    <message>
        <source>写数据已取消（%1）。%2</source>
        <translation>Writing was cancelled (%1). %2</translation>
    </message>
    <message>
        <source>写数据失败（%1）。%2</source>
        <translation>Writing failed (%1). %2</translation>
    </message>
    <message>
        <source>写数据已取消（%1），对讲机里的数据没有改变。</source>
        <translation>Writing was cancelled (%1); the data in the radio is unchanged.</translation>
    </message>
    <message>
        <source>写数据失败（%1），对讲机里的数据没有改变。</source>
        <translation>Writing failed (%1); the data in the radio is unchanged.</translation>
    </message>
    <message>
        <source>正在写入对讲机。停止会使对讲机只写入一部分：新旧数据混杂，必须重新写入。要停止写入吗？</source>
        <translation>The radio is being written. Stopping now leaves it only partly written, with old and new data mixed, and it must be written again. Stop writing?</translation>
    </message>
    <message>
        <source>%1请重新写入；再次不同时，对讲机可能有故障。</source>
        <translation>%1 Write it again; if it differs again, the radio may be faulty.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>QTR-318 写频软件</source>
        <translation>QTR-318 channel programming software</translation>
    </message>
    <message>
        <source>要打开的数据文件 (*.sin)；省略时新建文档</source>
        <translation>The data file (*.sin) to open; a new document when left out</translation>
    </message>
</context>
</TS>
