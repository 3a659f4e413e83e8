<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>lumora</name>
    <message>
        <source>无法创建工作文件夹，程序不能运行。
%1</source>
        <translation>Cannot create the working folder; the program cannot run.
%1</translation>
    </message>
    <message>
        <source>程序资源已损坏，请重新安装。
%1</source>
        <translation>The program&apos;s resources are damaged. Please reinstall.
%1</translation>
    </message>
</context>
<context>
    <name>lumora-make</name>
    <message>
        <source>用法: lumora-make [选项] [照片.jpg | 文件夹 ...]
      lumora-make [--type … --size … --quality … --tv … --out … --loudness …] 相册.lumora ...
  --mode 16:9|4:3|portrait          相册模式 (默认 16:9)
  --type VCD|SVCD|DVD|AVI|WMV|MP4|MOV   输出类型 (默认 MP4)
  --size WxH                        该类型在此模式下的一个尺寸 (默认: 该类型的默认尺寸)
  --quality biaoqing|gaoqing|chaoqing   画质 (默认 biaoqing)
  --tv PAL|NTSC                     电视制式 (默认 PAL)
  --sync template|music|beat        同步方式 (默认 template; beat: 随音乐节拍同步)
  --music FILE                      歌曲 (MP3), 可重复, 按顺序
  --lyrics FILE                     歌词 (LRC), 可重复, 按顺序与歌曲配对
  --pack K                          使用第 K 个模板组合分配模板
  --text-effects on|off             导入时自动添加文字特效 (默认 on)
  --picture-effects on|off          导入时自动添加画面特效 (默认 off)
  --faces on|off                    按人脸位置剪裁照片 (默认 on)
  --loudness on|off                 各首歌曲统一到相同音量 (默认 on)
  --theme 全部|婚纱|...              自动文字特效的主题分类 (默认 全部)
  --seed N                          随机种子: 同样的输入和种子得到同样的相册
  --name NAME  --out DIR            相册名称和保存文件夹
  --title TEXT  --subtitle TEXT     片头标题 (及第二行), 显示在第一个模板上 (默认不加)
  --ending TEXT                     片尾字幕, 在结束动画之前显示 (默认不加)
  --caption 秒,样式,文字             自定义文字: 开始的秒数、样式 (如 jinse_biaoti 或 金色标题)
                                    和文字 (\n 换行); 可重复
  --plan [--json]                   只显示相册计划, 不制作
  --lang zh|en                      界面语言 (默认跟随系统的语言设置)
不给照片时, 用自带的示例照片、示例歌曲和歌词制作演示相册。
给出相册文件 (.lumora) 时, 按文件中保存的相册制作视频, 每个文件一个视频。</source>
        <translation>Usage: lumora-make [options] [PHOTO.jpg | FOLDER ...]
       lumora-make [--type … --size … --quality … --tv … --out … --loudness …] ALBUM.lumora ...
  --mode 16:9|4:3|portrait          album mode (default 16:9)
  --type VCD|SVCD|DVD|AVI|WMV|MP4|MOV   output type (default MP4)
  --size WxH                        one of the type&apos;s sizes in this mode (default: the type&apos;s default size)
  --quality biaoqing|gaoqing|chaoqing   quality: standard, high, super (default biaoqing)
  --tv PAL|NTSC                     TV system (default PAL)
  --sync template|music|beat        synchronisation (default template; beat: follow the music&apos;s beats)
  --music FILE                      a song (MP3); may be repeated, played in order
  --lyrics FILE                     a lyric file (LRC); may be repeated, paired with the songs in order
  --pack K                          assign the templates with template combination K
  --text-effects on|off             add text effects automatically on import (default on)
  --picture-effects on|off          add picture effects automatically on import (default off)
  --faces on|off                    crop photos around the faces (default on)
  --loudness on|off                 play every song at the same loudness (default on)
  --theme all|THEME                 theme of the automatic text effects (default all)
  --seed N                          random seed: the same input and seed give the same album
  --name NAME  --out DIR            album name and output folder
  --title TEXT  --subtitle TEXT     opening title (and a second line) over the first template (default none)
  --ending TEXT                     closing line before the ending animation (default none)
  --caption SECONDS,STYLE,TEXT      your own caption: start second, style (a key such as jinse_biaoti)
                                    and text (\n for a new line); may be repeated
  --plan [--json]                   only show the album&apos;s plan, make nothing
  --lang zh|en                      interface language (default: the system&apos;s language setting)
Without photos it makes the demo album from the bundled sample photos, song and lyrics.
Given album files (.lumora), it makes the album each file holds: one video per file.</translation>
    </message>
    <message>
        <source>选项 %1 缺少取值</source>
        <translation>Option %1 needs a value</translation>
    </message>
    <message>
        <source>未知的相册模式：%1（可用 16:9、4:3、portrait）</source>
        <translation>Unknown album mode: %1 (use 16:9, 4:3 or portrait)</translation>
    </message>
    <message>
        <source>未知的输出类型：%1（可用 VCD、SVCD、DVD、AVI、WMV、MP4、MOV）</source>
        <translation>Unknown output type: %1 (use VCD, SVCD, DVD, AVI, WMV, MP4 or MOV)</translation>
    </message>
    <message>
        <source>尺寸应写成 宽x高，例如 1280x720：%1</source>
        <translation>Write the size as WIDTHxHEIGHT, for example 1280x720: %1</translation>
    </message>
    <message>
        <source>未知的画质：%1（可用 biaoqing、gaoqing、chaoqing）</source>
        <translation>Unknown quality: %1 (use biaoqing, gaoqing or chaoqing)</translation>
    </message>
    <message>
        <source>未知的电视制式：%1（可用 PAL、NTSC）</source>
        <translation>Unknown TV system: %1 (use PAL or NTSC)</translation>
    </message>
    <message>
        <source>未知的同步方式：%1（可用 template、music、beat）</source>
        <translation>Unknown synchronisation: %1 (use template, music or beat)</translation>
    </message>
    <message>
        <source>模板组合编号应为正整数：%1</source>
        <translation>The template combination must be a positive whole number: %1</translation>
    </message>
    <message>
        <source>--text-effects 只能是 on 或 off：%1</source>
        <translation>--text-effects takes on or off: %1</translation>
    </message>
    <message>
        <source>--picture-effects 只能是 on 或 off：%1</source>
        <translation>--picture-effects takes on or off: %1</translation>
    </message>
    <message>
        <source>--faces 只能是 on 或 off：%1</source>
        <translation>--faces takes on or off: %1</translation>
    </message>
    <message>
        <source>--loudness 只能是 on 或 off：%1</source>
        <translation>--loudness takes on or off: %1</translation>
    </message>
    <message>
        <source>未知的文字特效主题：%1（可用 全部、%2）</source>
        <translation>Unknown text-effect theme: %1 (use all, %2)</translation>
    </message>
    <message>
        <source>随机种子应为非负整数：%1</source>
        <translation>The random seed must be a whole number, 0 or more: %1</translation>
    </message>
    <message>
        <source>自定义文字应为“秒,样式,文字”（样式：%1）：%2</source>
        <translation>A caption is written “SECONDS,STYLE,TEXT” (styles: %1): %2</translation>
    </message>
    <message>
        <source>未知的选项：%1</source>
        <translation>Unknown option: %1</translation>
    </message>
    <message>
        <source>--json 只能与 --plan 一起使用</source>
        <translation>--json works only with --plan</translation>
    </message>
    <message>
        <source>--subtitle 只能与 --title 一起使用</source>
        <translation>--subtitle works only with --title</translation>
    </message>
    <message>
        <source>相册：%1  模式 %2  %3 %4 %5 %6</source>
        <translation>Album: %1  mode %2  %3 %4 %5 %6</translation>
    </message>
    <message>
        <source>总帧数：%1（%2 秒）</source>
        <translation>Frames: %1 (%2 s)</translation>
    </message>
    <message>
        <source>模板：%1 个</source>
        <translation>Templates: %1</translation>
    </message>
    <message>
        <source>  第 %1 帧起 %2 帧，速度 %3%4</source>
        <translation>  from frame %1, %2 frames, speed %3%4</translation>
    </message>
    <message>
        <source>，换在强拍</source>
        <translation>, changes on a strong beat</translation>
    </message>
    <message>
        <source>，换在节拍</source>
        <translation>, changes on a beat</translation>
    </message>
    <message>
        <source>  %1  %2  %3 帧</source>
        <translation>  %1  %2  %3 frames</translation>
    </message>
    <message>
        <source>照片：%1 张，拒绝 %2 张</source>
        <translation>Photos: %1, refused %2</translation>
    </message>
    <message>
        <source>歌曲：%1 首，播放列表 %2 首</source>
        <translation>Songs: %1, playlist %2</translation>
    </message>
    <message>
        <source>文字特效：%1  画面特效：%2</source>
        <translation>Text effects: %1  picture effects: %2</translation>
    </message>
    <message>
        <source>输出：%1</source>
        <translation>Output: %1</translation>
    </message>
    <message>
        <source>没有找到示例照片：%1</source>
        <translation>No sample photos found: %1</translation>
    </message>
    <message>
        <source>%1 在此模式下没有尺寸 %2x%3。可用尺寸：%4</source>
        <translation>%1 has no size %2x%3 in this mode. Available sizes: %4</translation>
    </message>
    <message>
        <source>照片被拒绝：%1（%2）</source>
        <translation>Photo refused: %1 (%2)</translation>
    </message>
    <message>
        <source>查找人脸</source>
        <translation>Finding faces</translation>
    </message>
    <message>
        <source>已停止。</source>
        <translation>Stopped.</translation>
    </message>
    <message>
        <source>无法写入保存文件夹：%1</source>
        <translation>Cannot write to the output folder: %1</translation>
    </message>
    <message>
        <source>准备照片</source>
        <translation>Preparing photos</translation>
    </message>
    <message>
        <source>制作相册</source>
        <translation>Making the album</translation>
    </message>
    <message>
        <source>照片无法读取，已用占位图代替：%1</source>
        <translation>A photo could not be read and was replaced by a placeholder: %1</translation>
    </message>
    <message>
        <source>已停止制作。已经制作的 %1 帧保存在（可以播放）：%2</source>
        <translation>Production stopped. The %1 frames made so far are saved (playable) in: %2</translation>
    </message>
    <message>
        <source>已停止制作，没有生成文件。</source>
        <translation>Production stopped; no file was made.</translation>
    </message>
    <message>
        <source>制作失败：%1</source>
        <translation>Production failed: %1</translation>
    </message>
    <message>
        <source>编码器出错</source>
        <translation>encoder error</translation>
    </message>
    <message>
        <source>失败：%1：%2</source>
        <translation>Failed: %1: %2</translation>
    </message>
    <message>
        <source>资源文件损坏：%1</source>
        <translation>Damaged resource file: %1</translation>
    </message>
    <message>
        <source>完成：%1</source>
        <translation>Done: %1</translation>
    </message>
    <message>
        <source>完成：%1 → %2</source>
        <translation>Done: %1 → %2</translation>
    </message>
    <message>
        <source>选项 %1 不能与相册文件一起使用：相册文件里已经保存了这些内容</source>
        <translation>Option %1 cannot be used with album files: the album file already holds this</translation>
    </message>
    <message>
        <source>相册文件不能和照片一起给出：%1</source>
        <translation>Album files cannot be given together with photos: %1</translation>
    </message>
    <message>
        <source>--name 只能用于一个相册文件</source>
        <translation>--name works with one album file only</translation>
    </message>
    <message>
        <source>未知的界面语言：%1（可用 zh、en）</source>
        <translation>Unknown interface language: %1 (use zh or en)</translation>
    </message>
</context>
<context>
    <name>lumora::AlbumSession</name>
    <message>
        <source>文件夹无法读取</source>
        <translation>the folder cannot be read</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>the file does not exist</translation>
    </message>
    <message>
        <source>画面特效</source>
        <translation>Picture FX</translation>
    </message>
    <message>
        <source>注意：歌词文件比歌曲多，多出的 %1 个歌词文件不会显示。</source>
        <translation>Note: there are more lyric files than songs; the %1 extra lyric files are not shown.</translation>
    </message>
    <message>
        <source>相册名称不能包含 “/”：%1</source>
        <translation>The album name cannot contain “/”: %1</translation>
    </message>
    <message>
        <source>相册名称不能是 “%1”</source>
        <translation>The album name cannot be “%1”</translation>
    </message>
    <message>
        <source>相册名称太长，请缩短后再试！</source>
        <translation>The album name is too long. Please shorten it and try again!</translation>
    </message>
</context>
<context>
    <name>lumora::Matching</name>
    <message>
        <source>没有添加模板文件！</source>
        <translation>No templates have been added!</translation>
    </message>
    <message>
        <source>没有选中模板文件！</source>
        <translation>No template is selected!</translation>
    </message>
    <message>
        <source>选中的模板文件已经删除！</source>
        <translation>The selected template is deleted!</translation>
    </message>
    <message>
        <source>已经使用的模板文件已经全部删除！</source>
        <translation>All templates in use are deleted!</translation>
    </message>
    <message>
        <source>没有添加照片文件！</source>
        <translation>No photos have been added!</translation>
    </message>
</context>
<context>
    <name>lumora::OutputOptions</name>
    <message>
        <source>没有添加照片文件！</source>
        <translation>No photos have been added!</translation>
    </message>
    <message>
        <source>没有找到音乐文件！使用随音乐文件同步,至少添加一个音乐文件！</source>
        <translation>No music file found! To follow the music, add at least one music file!</translation>
    </message>
    <message>
        <source>没有添加模板文件！</source>
        <translation>No templates have been added!</translation>
    </message>
    <message>
        <source>相册名称不能为空,请输入相册名称！</source>
        <translation>The album name cannot be empty. Please enter an album name!</translation>
    </message>
</context>
<context>
    <name>lumora::PhotoTable</name>
    <message>
        <source>没有添加照片文件！</source>
        <translation>No photos have been added!</translation>
    </message>
    <message>
        <source>无法使用照片文件 %1：%2</source>
        <translation>Cannot use the photo file %1: %2</translation>
    </message>
    <message>
        <source>是否确定要删除当前选中的照片文件?</source>
        <translation>Delete the selected photo?</translation>
    </message>
    <message>
        <source>是否确定要删除全部照片文件?删除后,自动添加到模板中的文字特效也会被全部删除!</source>
        <translation>Delete all photos? The text effects added to templates automatically are all deleted too!</translation>
    </message>
    <message>
        <source>是否确定要删除全部照片文件?</source>
        <translation>Delete all photos?</translation>
    </message>
    <message>
        <source>没有选中照片文件！</source>
        <translation>No photo is selected!</translation>
    </message>
    <message>
        <source>选中的照片文件已经删除！</source>
        <translation>The selected photo is deleted!</translation>
    </message>
    <message>
        <source>此张照片文件删除后,自动匹配到相关模板中的文字特效也已经删除!！</source>
        <translation>With this photo deleted, the text effects placed automatically in its templates are deleted too!</translation>
    </message>
    <message>
        <source>照片文件已经全部删除！</source>
        <translation>All photos are deleted!</translation>
    </message>
</context>
<context>
    <name>lumora::columns</name>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>帧数</source>
        <translation>Frames</translation>
    </message>
    <message>
        <source>开始时间</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>结束时间</source>
        <translation>End</translation>
    </message>
    <message>
        <source>特效名称</source>
        <translation>Effect</translation>
    </message>
    <message>
        <source>添加方式</source>
        <translation>Added</translation>
    </message>
    <message>
        <source>启动</source>
        <translation>Started</translation>
    </message>
    <message>
        <source>图片装饰特效</source>
        <translation>Effect</translation>
    </message>
    <message>
        <source>顺序号</source>
        <translation>Order</translation>
    </message>
    <message>
        <source>是否创建控件</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>X_位置</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y_位置</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>分类号</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>文字特效是否自动添加_标注</source>
        <translation>Automatic mark</translation>
    </message>
    <message>
        <source>文字特效自动添加_标注</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>文字特效自动添加_标注_对应模板行号</source>
        <translation>Template row</translation>
    </message>
    <message>
        <source>文字特效自动添加_标注_帧位置数</source>
        <translation>Frame of mark</translation>
    </message>
    <message>
        <source>自定义文字</source>
        <translation>Your own words</translation>
    </message>
    <message>
        <source>文字样式</source>
        <translation>Text style</translation>
    </message>
</context>
<context>
    <name>lumora::flag</name>
    <message>
        <source>已完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>未完成</source>
        <translation>Not done</translation>
    </message>
    <message>
        <source>暂无</source>
        <translation>None yet</translation>
    </message>
    <message>
        <source>手动添加</source>
        <translation>By hand</translation>
    </message>
    <message>
        <source>自动添加</source>
        <translation>Automatic</translation>
    </message>
    <message>
        <source>综合模板</source>
        <translation>Mixed</translation>
    </message>
    <message>
        <source>横照模板</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>竖照模板</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>高级模板</source>
        <translation>Advanced</translation>
    </message>
    <message>
        <source>单张模板</source>
        <translation>Single photo</translation>
    </message>
</context>
<context>
    <name>lumora::notice</name>
    <message>
        <source>正在播放相册,点停止按钮后,再操作！</source>
        <translation>The album is playing. Click Stop, then try again!</translation>
    </message>
    <message>
        <source>没有找到选中的文字特效文件！</source>
        <translation>The selected text effect file was not found!</translation>
    </message>
    <message>
        <source>请输入自定义文字！</source>
        <translation>Please type your words!</translation>
    </message>
    <message>
        <source>没有选中文字样式！</source>
        <translation>No text style is selected!</translation>
    </message>
    <message>
        <source>选中的不是自定义文字！</source>
        <translation>The selected effect is not your own words!</translation>
    </message>
    <message>
        <source>开始时间格式不正确！请按“时:分:秒”输入,每项两位数字,例如 00:00:02(时、分、秒均为 00～59)。</source>
        <translation>Wrong start time! Type it as “hh:mm:ss” with two digits each, for example 00:00:02 (each from 00 to 59).</translation>
    </message>
    <message>
        <source>不能再放大了,点[确定]按钮，照片大小恢复到默认大小！</source>
        <translation>Cannot enlarge further. Click [OK] to return the photo to its default size!</translation>
    </message>
    <message>
        <source>不能再缩小了,点[确定]按钮，照片大小恢复到默认大小！</source>
        <translation>Cannot shrink further. Click [OK] to return the photo to its default size!</translation>
    </message>
</context>
<context>
    <name>lumora::ui::LyricWindow</name>
    <message>
        <source>选中的歌词文件已经删除！</source>
        <translation>The selected lyric file has been deleted.</translation>
    </message>
    <message>
        <source>歌词文件已经全部删除！</source>
        <translation>All lyric files have been deleted.</translation>
    </message>
</context>
<context>
    <name>lumora::ui::MainWindow</name>
    <message>
        <source>以下 %1 个模板的文件已损坏，没有列入模板列表：</source>
        <translation>The files of these %1 templates are damaged; they are not in the template list:</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>……另有 %1 个模板</source>
        <translation>… and %1 more templates</translation>
    </message>
</context>
<context>
    <name>lumora::ui::MusicWindow</name>
    <message>
        <source>选中的音乐文件已经删除！</source>
        <translation>The selected music file has been deleted.</translation>
    </message>
    <message>
        <source>音乐文件已经全部删除！</source>
        <translation>All music files have been deleted.</translation>
    </message>
</context>
<context>
    <name>lumora::ui::ProjectCommands</name>
    <message>
        <source>我的相册</source>
        <translation>My album</translation>
    </message>
</context>
<context>
    <name>lumora::ui::SettingsWindow</name>
    <message>
        <source>系统设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>导入照片时，对横照片的剪裁效果   (支持单张照片模板效果)</source>
        <translation>Cropping landscape photos on import   (single-photo templates)</translation>
    </message>
    <message>
        <source>横照片剪裁成适中效果</source>
        <translation>Crop landscape photos to fit</translation>
    </message>
    <message>
        <source>横照片剪裁成全屏效果</source>
        <translation>Crop landscape photos to fill</translation>
    </message>
    <message>
        <source>导入照片时，对竖照片的剪裁效果   (支持单张照片模板效果)</source>
        <translation>Cropping portrait photos on import   (single-photo templates)</translation>
    </message>
    <message>
        <source>竖照片剪裁成适中效果</source>
        <translation>Crop portrait photos to fit</translation>
    </message>
    <message>
        <source>主界面横照片显示效果</source>
        <translation>Landscape photos in the main window</translation>
    </message>
    <message>
        <source>横照片适中显示效果</source>
        <translation>Show landscape photos to fit</translation>
    </message>
    <message>
        <source>横照片全屏显示效果</source>
        <translation>Show landscape photos to fill</translation>
    </message>
    <message>
        <source>主界面竖照片显示效果</source>
        <translation>Portrait photos in the main window</translation>
    </message>
    <message>
        <source>竖照片适中显示效果</source>
        <translation>Show portrait photos to fit</translation>
    </message>
    <message>
        <source>添加照片时是否为已经使用模板自动添加文字特效</source>
        <translation>Add text effects to the used templates automatically when photos are added?</translation>
    </message>
    <message>
        <source>自动添加文字特效</source>
        <translation>Add text effects automatically</translation>
    </message>
    <message>
        <source>不添加文字特效</source>
        <translation>Do not add text effects</translation>
    </message>
    <message>
        <source>添加照片时是否为已经使用模板自动添加画面特效</source>
        <translation>Add picture effects to the used templates automatically when photos are added?</translation>
    </message>
    <message>
        <source>自动添加画面特效</source>
        <translation>Add picture effects automatically</translation>
    </message>
    <message>
        <source>不添加画面特效</source>
        <translation>Do not add picture effects</translation>
    </message>
    <message>
        <source>导入照片时，使用模板组合效果</source>
        <translation>Template combinations on import</translation>
    </message>
    <message>
        <source>使用模板组合效果</source>
        <translation>Use template combinations</translation>
    </message>
    <message>
        <source>不使用模板组合效果</source>
        <translation>Do not use template combinations</translation>
    </message>
    <message>
        <source>音量统一</source>
        <translation>Same loudness</translation>
    </message>
    <message>
        <source>各首歌曲统一到相同音量</source>
        <translation>Play every song at the same loudness</translation>
    </message>
    <message>
        <source>保持歌曲原来的音量</source>
        <translation>Keep each song&apos;s own loudness</translation>
    </message>
    <message>
        <source>照片剪裁</source>
        <translation>Photo cropping</translation>
    </message>
    <message>
        <source>按人脸位置剪裁照片（人物的头部不被裁掉）</source>
        <translation>Crop photos around the faces (heads are never cut off)</translation>
    </message>
    <message>
        <source>文字特效主题</source>
        <translation>Text effect theme</translation>
    </message>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>片头标题和片尾字幕</source>
        <translation>Opening title and closing line</translation>
    </message>
    <message>
        <source>例如：外婆九十岁生日快乐（空着则不加片头）</source>
        <translation>e.g. Happy 90th birthday, Grandma (empty: no title)</translation>
    </message>
    <message>
        <source>第二行，例如日期</source>
        <translation>Second line, e.g. the date</translation>
    </message>
    <message>
        <source>例如：谢谢观看（空着则不加片尾）</source>
        <translation>e.g. Thanks for watching (empty: no closing line)</translation>
    </message>
    <message>
        <source>片头标题:</source>
        <translation>Opening title:</translation>
    </message>
    <message>
        <source>片头第二行:</source>
        <translation>Second line:</translation>
    </message>
    <message>
        <source>片尾字幕:</source>
        <translation>Closing line:</translation>
    </message>
    <message>
        <source>界面语言</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation>System default</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>重新启动程序后生效</source>
        <translation>Takes effect when the program starts next</translation>
    </message>
    <message>
        <source>恢复默认设置</source>
        <translation>Restore defaults</translation>
    </message>
    <message>
        <source>返    回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>返  回</source>
        <translation>Back</translation>
    </message>
</context>
</TS>
