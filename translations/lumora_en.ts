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
    <name>lumora::AddStep</name>
    <message>
        <source>添加照片</source>
        <translation>Add photos</translation>
    </message>
    <message>
        <source>自动匹配模板</source>
        <translation>Matching templates</translation>
    </message>
    <message>
        <source>有 %1 张照片文件不完整（%2）：能读出的部分照常显示，缺少的部分显示为灰色</source>
        <translation>%1 photo files are incomplete (%2): what can be read is shown, the missing part is grey</translation>
    </message>
</context>
<context>
    <name>lumora::AlbumMode</name>
    <message>
        <source>竖屏模式（手机屏幕）</source>
        <translation>Portrait (phone screen)</translation>
    </message>
    <message>
        <source>当前模式：竖屏相册模式</source>
        <translation>Current mode: portrait album</translation>
    </message>
    <message>
        <source>宽屏模式（16:9）</source>
        <translation>Widescreen (16:9)</translation>
    </message>
    <message>
        <source>当前模式：宽屏16:9相册模式</source>
        <translation>Current mode: widescreen 16:9 album</translation>
    </message>
    <message>
        <source>宽屏模式（4:3）</source>
        <translation>Widescreen (4:3)</translation>
    </message>
    <message>
        <source>当前模式：宽屏4:3相册模式</source>
        <translation>Current mode: widescreen 4:3 album</translation>
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
    <name>lumora::AudioDecoder</name>
    <message>
        <source>音乐文件无法读取：%1（%2：%3）</source>
        <translation>The music file cannot be read: %1 (%2: %3)</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>opening</translation>
    </message>
    <message>
        <source>读取流信息</source>
        <translation>reading stream information</translation>
    </message>
    <message>
        <source>音乐文件中没有可播放的声音：%1</source>
        <translation>The music file has no playable sound: %1</translation>
    </message>
    <message>
        <source>打开解码器</source>
        <translation>opening the decoder</translation>
    </message>
    <message>
        <source>音乐文件的声音格式无效：%1</source>
        <translation>The music file&apos;s sound format is invalid: %1</translation>
    </message>
    <message>
        <source>重采样</source>
        <translation>resampling</translation>
    </message>
    <message>
        <source>解码</source>
        <translation>decoding</translation>
    </message>
    <message>
        <source>内存</source>
        <translation>memory</translation>
    </message>
</context>
<context>
    <name>lumora::AudioPlayer</name>
    <message>
        <source>没有可用的声音设备，预览将无声播放。</source>
        <translation>No sound device is available; the preview plays without sound.</translation>
    </message>
</context>
<context>
    <name>lumora::BackgroundTable</name>
    <message>
        <source>没有找到背景图片文件！</source>
        <translation>No background picture found!</translation>
    </message>
    <message>
        <source>没有选中背景图片文件！</source>
        <translation>No background picture is selected!</translation>
    </message>
    <message>
        <source>此张照片不是竖照片,请重新更换一张竖照片!</source>
        <translation>This photo is not a portrait photo. Please choose a portrait photo!</translation>
    </message>
    <message>
        <source>此张照片不是横照片,请重新更换一张横照片!</source>
        <translation>This photo is not a landscape photo. Please choose a landscape photo!</translation>
    </message>
</context>
<context>
    <name>lumora::BeatFit</name>
    <message>
        <source>歌曲《%1》没有清晰的节拍，这首歌按随音乐文件同步。</source>
        <translation>The song “%1” has no clear beat; it follows the music instead.</translation>
    </message>
</context>
<context>
    <name>lumora::BeatTracker</name>
    <message>
        <source>节拍分析无法启动</source>
        <translation>The beat analysis cannot start</translation>
    </message>
    <message>
        <source>节拍分析无法重采样</source>
        <translation>The beat analysis cannot resample</translation>
    </message>
</context>
<context>
    <name>lumora::CaptionStyle</name>
    <message>
        <source>淡入上升</source>
        <translation>Fade and rise</translation>
    </message>
    <message>
        <source>打字机</source>
        <translation>Typewriter</translation>
    </message>
    <message>
        <source>逐字落下</source>
        <translation>Falling letters</translation>
    </message>
    <message>
        <source>柔光</source>
        <translation>Soft glow</translation>
    </message>
    <message>
        <source>彩带横幅</source>
        <translation>Ribbon banner</translation>
    </message>
    <message>
        <source>笔刷显现</source>
        <translation>Brush reveal</translation>
    </message>
    <message>
        <source>竖排诗词</source>
        <translation>Vertical verse</translation>
    </message>
    <message>
        <source>金色标题</source>
        <translation>Golden title</translation>
    </message>
</context>
<context>
    <name>lumora::Catalogue</name>
    <message>
        <source>照片位置 %1 没有对应的横竖标注</source>
        <translation>Photo frame %1 has no landscape or portrait mark</translation>
    </message>
    <message>
        <source>模板总帧数 &quot;%1&quot; 不是整数</source>
        <translation>The template&apos;s frame count &quot;%1&quot; is not a whole number</translation>
    </message>
    <message>
        <source>模板总帧数 %1 不在 1 … %2 之内</source>
        <translation>The template&apos;s frame count %1 is not within 1 … %2</translation>
    </message>
    <message>
        <source>没有找到模板参数文件：%1</source>
        <translation>No template parameter files found: %1</translation>
    </message>
    <message>
        <source>没有找到模板文件：%1</source>
        <translation>No template files found: %1</translation>
    </message>
    <message>
        <source>模板参数文件标记错误：%1</source>
        <translation>Wrong marker in the template parameter file: %1</translation>
    </message>
    <message>
        <source>没有对应的模板文件</source>
        <translation>no matching template file</translation>
    </message>
</context>
<context>
    <name>lumora::CropPlacement</name>
    <message>
        <source>没有选中照片文件！</source>
        <translation>No photo is selected!</translation>
    </message>
</context>
<context>
    <name>lumora::CustomCaptions</name>
    <message>
        <source>(特效出现时间)分钟不能为空！</source>
        <translation>(Effect time) the minutes cannot be empty!</translation>
    </message>
    <message>
        <source>(特效出现时间)秒数不能为空！</source>
        <translation>(Effect time) the seconds cannot be empty!</translation>
    </message>
</context>
<context>
    <name>lumora::EffectEdits</name>
    <message>
        <source>没有添加特效!</source>
        <translation>No effects have been added!</translation>
    </message>
    <message>
        <source>没有选中已添加的特效！</source>
        <translation>No added effect is selected!</translation>
    </message>
    <message>
        <source>画面特效第 %1 号</source>
        <translation>picture effect no. %1</translation>
    </message>
    <message>
        <source>文字特效第 %1 类第 %2 号</source>
        <translation>text effect no. %2 of category %1</translation>
    </message>
    <message>
        <source>没有添加画面特效!</source>
        <translation>No picture effects have been added!</translation>
    </message>
    <message>
        <source>没有添加文字特效!</source>
        <translation>No text effects have been added!</translation>
    </message>
    <message>
        <source>这个文字特效是自动加到模板中的,它的开始时间跟随模板在相册中的位置,不能修改！</source>
        <translation>This text effect was added to a template automatically; its start follows the template&apos;s place in the album and cannot be changed!</translation>
    </message>
    <message>
        <source>特效%1无法使用:配置文件无法读取(%2)。</source>
        <translation>The effect %1 cannot be used: its settings file cannot be read (%2).</translation>
    </message>
    <message>
        <source>特效%1无法使用:没有找到配置文件。</source>
        <translation>The effect %1 cannot be used: its settings file is missing.</translation>
    </message>
    <message>
        <source>特效%1无法使用:配置文件中没有帧数。</source>
        <translation>The effect %1 cannot be used: its settings file has no frame count.</translation>
    </message>
    <message>
        <source>特效%1无法使用:没有找到第 1 帧图片。</source>
        <translation>The effect %1 cannot be used: its first frame picture is missing.</translation>
    </message>
    <message>
        <source>特效%1无法使用:第 1 帧图片已损坏。</source>
        <translation>The effect %1 cannot be used: its first frame picture is damaged.</translation>
    </message>
</context>
<context>
    <name>lumora::EffectPackage</name>
    <message>
        <source>（画面特效 %1 缺少设置文件）</source>
        <translation>(picture effect %1 has no settings file)</translation>
    </message>
</context>
<context>
    <name>lumora::EffectPlacement</name>
    <message>
        <source>没有添加相片文件或模板文件!</source>
        <translation>No photos or templates have been added!</translation>
    </message>
    <message>
        <source>已经添加的模板文件没有匹配相片文件!</source>
        <translation>The added templates are not matched with photos!</translation>
    </message>
    <message>
        <source>已经添加的模板文件,全部添加了文字特效!</source>
        <translation>Every added template already has text effects!</translation>
    </message>
    <message>
        <source>没有选择文字特效分类。</source>
        <translation>No text effect category is chosen.</translation>
    </message>
    <message>
        <source>已经使用的模板文件有 %1 个模板文件没有匹配相片文件!请匹配后再添加文字特效!</source>
        <translation>%1 templates in use are not matched with photos! Match them before adding text effects!</translation>
    </message>
    <message>
        <source>已经使用的模板文件有 %1 个模板文件没有匹配相片文件!这些将被忽略添加文字特效!</source>
        <translation>%1 templates in use are not matched with photos! They get no text effects.</translation>
    </message>
    <message>
        <source>模板 %1 标注 %2：没有帧位置</source>
        <translation>Template %1, mark %2: no frame position</translation>
    </message>
    <message>
        <source>模板 %1 标注 %2：没有可用的文字特效</source>
        <translation>Template %1, mark %2: no text effect available</translation>
    </message>
    <message>
        <source>自动加入文字特效到已使用模板中完成,单击[确定]按钮返回到文字特效窗口！</source>
        <translation>Text effects were added to the templates in use. Click [OK] to return to the text effect window!</translation>
    </message>
    <message>
        <source>删除画面特效</source>
        <translation>Delete picture effects</translation>
    </message>
    <message>
        <source>先安装画面特效！没有找到画面特效文件。</source>
        <translation>Install picture effects first! No picture effect files were found.</translation>
    </message>
    <message>
        <source>画面特效 %1 没有安装</source>
        <translation>Picture effect %1 is not installed</translation>
    </message>
    <message>
        <source>自动添加画面特效已完成,单击[确定]按钮返回到画面特效窗口！</source>
        <translation>Picture effects were added automatically. Click [OK] to return to the picture effect window!</translation>
    </message>
    <message>
        <source>画面特效</source>
        <translation>Picture FX</translation>
    </message>
    <message>
        <source>检测到已经添加了画面特效,重新添加画面特效,需要先删除已经添加的画面特效!是否确定要删除?</source>
        <translation>Picture effects have already been added. To add them again, the added picture effects must be deleted first! Delete them?</translation>
    </message>
    <message>
        <source>
文字特效文件夹 %1 缺少设置文件，它及其后的文字特效没有参加自动添加。</source>
        <translation>
The text effect folder %1 has no settings file; it and the text effects after it were left out of the automatic adding.</translation>
    </message>
</context>
<context>
    <name>lumora::EffectRun</name>
    <message>
        <source>内存不足</source>
        <translation>not enough memory</translation>
    </message>
</context>
<context>
    <name>lumora::EffectTables</name>
    <message>
        <source>(特效出现时间)分钟不能为空！</source>
        <translation>(Effect time) the minutes cannot be empty!</translation>
    </message>
    <message>
        <source>(特效出现时间)秒数不能为空！</source>
        <translation>(Effect time) the seconds cannot be empty!</translation>
    </message>
    <message>
        <source>没有选中已添加的特效！</source>
        <translation>No added effect is selected!</translation>
    </message>
    <message>
        <source>删除画面特效</source>
        <translation>Delete picture effects</translation>
    </message>
    <message>
        <source>没有添加画面特效!</source>
        <translation>No picture effects have been added!</translation>
    </message>
    <message>
        <source>删除文字特效</source>
        <translation>Delete text effects</translation>
    </message>
    <message>
        <source>没有添加文字特效!</source>
        <translation>No text effects have been added!</translation>
    </message>
    <message>
        <source>  时</source>
        <translation>  h</translation>
    </message>
    <message>
        <source>  分</source>
        <translation>  min</translation>
    </message>
    <message>
        <source>  秒</source>
        <translation>  s</translation>
    </message>
    <message>
        <source>先安装画面特效！没有找到画面特效文件。</source>
        <translation>Install picture effects first! No picture effect files were found.</translation>
    </message>
    <message>
        <source>(画面特效)不能为空！</source>
        <translation>(Picture effect) cannot be empty!</translation>
    </message>
    <message>
        <source>是否确定要删除选中的画面特效?</source>
        <translation>Delete the selected picture effect?</translation>
    </message>
    <message>
        <source>是否确定要删除全部添加的画面特效?</source>
        <translation>Delete all added picture effects?</translation>
    </message>
    <message>
        <source>没有找到添加的画面特效！</source>
        <translation>No added picture effects found!</translation>
    </message>
    <message>
        <source>没有找到自动添加的画面特效！</source>
        <translation>No automatically added picture effects found!</translation>
    </message>
    <message>
        <source>没有找到手动添加的画面特效！</source>
        <translation>No picture effects added by hand found!</translation>
    </message>
    <message>
        <source>已经全部删除自动添加的画面特效,单击[确定]按钮返回到画面特效窗口！</source>
        <translation>All automatically added picture effects are deleted. Click [OK] to return to the picture effect window!</translation>
    </message>
    <message>
        <source>已经全部删除手动添加的画面特效,单击[确定]按钮返回到画面特效窗口！</source>
        <translation>All picture effects added by hand are deleted. Click [OK] to return to the picture effect window!</translation>
    </message>
    <message>
        <source>没有选中文字特效分类！</source>
        <translation>No text effect category is selected!</translation>
    </message>
    <message>
        <source>先安装文字特效！没有找到文字特效文件。</source>
        <translation>Install text effects first! No text effect files were found.</translation>
    </message>
    <message>
        <source>(文字特效)不能为空！</source>
        <translation>(Text effect) cannot be empty!</translation>
    </message>
    <message>
        <source>当前设置保存完成！</source>
        <translation>The settings are saved!</translation>
    </message>
    <message>
        <source>
注意：这个文字特效与歌词的位置重叠，歌词会显示在文字特效上面。</source>
        <translation>
Note: this text effect overlaps the lyrics; the lyrics are shown over it.</translation>
    </message>
    <message>
        <source>当前设置重置完成！</source>
        <translation>The settings are reset!</translation>
    </message>
    <message>
        <source>是否确定要删除选中的文字特效?</source>
        <translation>Delete the selected text effect?</translation>
    </message>
    <message>
        <source>是否确定要删除选中的文字特效?删除后,自动匹配到模板中的文字特效也会被删除!</source>
        <translation>Delete the selected text effect? The text effects it placed in templates automatically are deleted too!</translation>
    </message>
    <message>
        <source>是否确定要删除全部添加的文字特效?删除后,自动添加到模板中的文字特效也会被全部删除!</source>
        <translation>Delete all added text effects? The text effects added to templates automatically are all deleted too!</translation>
    </message>
    <message>
        <source>是否确定要删除全部添加的文字特效?</source>
        <translation>Delete all added text effects?</translation>
    </message>
    <message>
        <source>没有找到添加的文字特效！</source>
        <translation>No added text effects found!</translation>
    </message>
    <message>
        <source>没有找到自动添加的文字特效！</source>
        <translation>No automatically added text effects found!</translation>
    </message>
    <message>
        <source>没有找到手动添加的文字特效！</source>
        <translation>No text effects added by hand found!</translation>
    </message>
    <message>
        <source>已经全部删除自动添加的文字特效,单击[确定]按钮返回到文字特效窗口！</source>
        <translation>All automatically added text effects are deleted. Click [OK] to return to the text effect window!</translation>
    </message>
    <message>
        <source>已经全部删除手动添加的文字特效,单击[确定]按钮返回到文字特效窗口！</source>
        <translation>All text effects added by hand are deleted. Click [OK] to return to the text effect window!</translation>
    </message>
</context>
<context>
    <name>lumora::Encoder</name>
    <message>
        <source>无法创建输出格式 %1</source>
        <translation>Cannot create the output format %1</translation>
    </message>
    <message>
        <source>无法创建输出文件 %1</source>
        <translation>Cannot create the output file %1</translation>
    </message>
    <message>
        <source>无法写入文件头 %1</source>
        <translation>Cannot write the file header %1</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>无法完成文件 %1</source>
        <translation>Cannot finish the file %1</translation>
    </message>
    <message>
        <source>找不到编码器 %1</source>
        <translation>Encoder %1 not found</translation>
    </message>
    <message>
        <source>无法打开视频编码器 %1（%2 × %3）</source>
        <translation>Cannot open the video encoder %1 (%2 × %3)</translation>
    </message>
    <message>
        <source>视频流参数</source>
        <translation>video stream parameters</translation>
    </message>
    <message>
        <source>无法打开音频编码器 %1</source>
        <translation>Cannot open the audio encoder %1</translation>
    </message>
    <message>
        <source>音频流参数</source>
        <translation>audio stream parameters</translation>
    </message>
    <message>
        <source>音频编码器的采样格式不受支持</source>
        <translation>The audio encoder&apos;s sample format is not supported</translation>
    </message>
    <message>
        <source>编码失败</source>
        <translation>encoding failed</translation>
    </message>
    <message>
        <source>写入文件失败 %1</source>
        <translation>Writing the file failed %1</translation>
    </message>
    <message>
        <source>交接画面的尺寸或格式与输出不符</source>
        <translation>The handed-over picture&apos;s size or format does not match the output</translation>
    </message>
    <message>
        <source>音乐文件出错，制作已停止</source>
        <translation>A music file failed; the production stopped</translation>
    </message>
</context>
<context>
    <name>lumora::Error</name>
    <message>
        <source>磁盘空间不足</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <source>文件超出了系统允许的大小</source>
        <translation>the file is larger than the system allows</translation>
    </message>
    <message>
        <source>磁盘是只读的</source>
        <translation>the disk is read-only</translation>
    </message>
    <message>
        <source>没有访问权限</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>磁盘读写出错</source>
        <translation>disk input/output error</translation>
    </message>
</context>
<context>
    <name>lumora::FolderOps</name>
    <message>
        <source>无法删除文件夹 %1</source>
        <translation>Cannot delete the folder %1</translation>
    </message>
    <message>
        <source>无法创建文件夹 %1</source>
        <translation>Cannot create the folder %1</translation>
    </message>
    <message>
        <source>无法删除文件 %1</source>
        <translation>Cannot delete the file %1</translation>
    </message>
</context>
<context>
    <name>lumora::FrameComposer</name>
    <message>
        <source>相册画面超出输出画面：%1 × %2</source>
        <translation>The album picture is larger than the output picture: %1 × %2</translation>
    </message>
    <message>
        <source>没有添加模板文件！</source>
        <translation>No templates have been added!</translation>
    </message>
    <message>
        <source>背景图片无法交接：%1</source>
        <translation>The background picture cannot be handed over: %1</translation>
    </message>
    <message>
        <source>1- 0 : 错误</source>
        <translation>1- 0 : error</translation>
    </message>
</context>
<context>
    <name>lumora::ImageIO</name>
    <message>
        <source>无法初始化JPG解码器：%1</source>
        <translation>Cannot start the JPG decoder: %1</translation>
    </message>
    <message>
        <source>无法读取照片文件 %1：%2</source>
        <translation>Cannot read the photo file %1: %2</translation>
    </message>
    <message>
        <source>文件是空的</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>不是JPG文件</source>
        <translation>not a JPG file</translation>
    </message>
    <message>
        <source>文件头不完整（文件可能已损坏或未下载完整）</source>
        <translation>incomplete header (the file may be damaged or not fully downloaded)</translation>
    </message>
    <message>
        <source>JPG文件头已损坏</source>
        <translation>damaged JPG header</translation>
    </message>
    <message>
        <source>JPG文件头不完整</source>
        <translation>incomplete JPG header</translation>
    </message>
    <message>
        <source>文件无法打开（%1）</source>
        <translation>the file cannot be opened (%1)</translation>
    </message>
    <message>
        <source>照片太大（%1 × %2 像素%3），最小比例解码也需要 %4 MB 内存，超过 %5 MB 的上限</source>
        <translation>the photo is too large (%1 × %2 pixels%3); even the smallest decoding needs %4 MB of memory, over the %5 MB limit</translation>
    </message>
    <message>
        <source>，渐进式JPG</source>
        <translation>, progressive JPG</translation>
    </message>
    <message>
        <source>照片文件没有图像数据：文件头声称 %1 × %2 像素，但数据连第一行都不够（文件已损坏）</source>
        <translation>the photo has no picture data: its header says %1 × %2 pixels but the data is shorter than one row (damaged file)</translation>
    </message>
    <message>
        <source>照片尺寸过大（%1 × %2），解码到 %3 × %4 需要 %5 MB 内存</source>
        <translation>the photo is too large (%1 × %2): decoding to %3 × %4 needs %5 MB of memory</translation>
    </message>
    <message>
        <source>内存不足，无法解码 %1 × %2 的照片</source>
        <translation>not enough memory to decode a %1 × %2 photo</translation>
    </message>
    <message>
        <source>读取失败（%1）</source>
        <translation>reading failed (%1)</translation>
    </message>
    <message>
        <source>JPG编码失败：图片是空的</source>
        <translation>JPG encoding failed: the picture is empty</translation>
    </message>
    <message>
        <source>无法初始化JPG编码器：%1</source>
        <translation>Cannot start the JPG encoder: %1</translation>
    </message>
    <message>
        <source>JPG编码失败：图片太大（%1 × %2）</source>
        <translation>JPG encoding failed: the picture is too large (%1 × %2)</translation>
    </message>
    <message>
        <source>JPG编码失败：%1</source>
        <translation>JPG encoding failed: %1</translation>
    </message>
    <message>
        <source>无法读取图片文件 %1：%2</source>
        <translation>Cannot read the picture file %1: %2</translation>
    </message>
    <message>
        <source>文件不完整</source>
        <translation>incomplete file</translation>
    </message>
    <message>
        <source>图片尺寸过大（%1 × %2）</source>
        <translation>the picture is too large (%1 × %2)</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>not enough memory</translation>
    </message>
    <message>
        <source>数据校验错误</source>
        <translation>data check error</translation>
    </message>
    <message>
        <source>图像数据损坏</source>
        <translation>damaged picture data</translation>
    </message>
    <message>
        <source>图像数据大小不符</source>
        <translation>wrong picture data size</translation>
    </message>
    <message>
        <source>图片尺寸过大</source>
        <translation>the picture is too large</translation>
    </message>
    <message>
        <source>PNG编码失败：图片是空的</source>
        <translation>PNG encoding failed: the picture is empty</translation>
    </message>
    <message>
        <source>PNG编码失败：内存不足</source>
        <translation>PNG encoding failed: not enough memory</translation>
    </message>
    <message>
        <source>PNG编码失败：%1</source>
        <translation>PNG encoding failed: %1</translation>
    </message>
</context>
<context>
    <name>lumora::Loudness</name>
    <message>
        <source>无法测量音量（采样率 %1，声道 %2）</source>
        <translation>Cannot measure the loudness (sample rate %1, channels %2)</translation>
    </message>
</context>
<context>
    <name>lumora::LrcParser</name>
    <message>
        <source>文件太大（超过 1 MB），不是歌词文件</source>
        <translation>the file is too large (over 1 MB) for a lyric file</translation>
    </message>
    <message>
        <source>文件中没有时间标签（如 [00:12.34]），不是 LRC 歌词文件</source>
        <translation>the file has no time tags (such as [00:12.34]); it is not an LRC lyric file</translation>
    </message>
    <message>
        <source>歌词文件无法读取：%1（%2）</source>
        <translation>The lyric file cannot be read: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>lumora::LyricEncoding</name>
    <message>
        <source>文件含有二进制数据，不是文本格式的歌词文件</source>
        <translation>the file holds binary data, not a text lyric file</translation>
    </message>
    <message>
        <source>文件中没有文字</source>
        <translation>the file holds no text</translation>
    </message>
    <message>
        <source>无法识别文件的文字编码（能读的是 UTF-8、UTF-16、GB18030/GBK 与 Big5 文本）</source>
        <translation>the file&apos;s text encoding is not recognised (UTF-8, UTF-16, GB18030/GBK and Big5 text can be read)</translation>
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
    <name>lumora::MovieDocument</name>
    <message>
        <source>影片文件 %1 有误：字段 %2 %3</source>
        <translation>Movie file %1 is wrong: field %2 %3</translation>
    </message>
    <message>
        <source>应为数字</source>
        <translation>should be a number</translation>
    </message>
    <message>
        <source>不是有限的数字</source>
        <translation>is not a finite number</translation>
    </message>
    <message>
        <source>超出范围 %1 到 %2</source>
        <translation>is outside %1 to %2</translation>
    </message>
    <message>
        <source>应为整数</source>
        <translation>should be a whole number</translation>
    </message>
    <message>
        <source>应为文字</source>
        <translation>should be text</translation>
    </message>
    <message>
        <source>应为 true 或 false</source>
        <translation>should be true or false</translation>
    </message>
    <message>
        <source>不是有效的颜色（#rrggbb 或 #aarrggbb）：%1</source>
        <translation>is not a valid colour (#rrggbb or #aarrggbb): %1</translation>
    </message>
    <message>
        <source>应为 %1 个数字的数组</source>
        <translation>should be an array of %1 numbers</translation>
    </message>
    <message>
        <source>不是已知的缓动方式：%1</source>
        <translation>is not a known easing: %1</translation>
    </message>
    <message>
        <source>应为数字或关键帧数组</source>
        <translation>should be a number or an array of key frames</translation>
    </message>
    <message>
        <source>应为 [帧, 值] 或 [帧, 值, 缓动]</source>
        <translation>should be [frame, value] or [frame, value, easing]</translation>
    </message>
    <message>
        <source>的帧号小于前一个关键帧</source>
        <translation>has a frame before the previous key frame</translation>
    </message>
    <message>
        <source>不是已知的字段</source>
        <translation>is not a known field</translation>
    </message>
    <message>
        <source>应为对象</source>
        <translation>should be an object</translation>
    </message>
    <message>
        <source>缺少</source>
        <translation>is missing</translation>
    </message>
    <message>
        <source>不是已知的图层类型：%1</source>
        <translation>is not a known layer type: %1</translation>
    </message>
    <message>
        <source>的宽度和高度应为正数且不过大</source>
        <translation>width and height should be positive and not too large</translation>
    </message>
    <message>
        <source>小于 from</source>
        <translation>is less than from</translation>
    </message>
    <message>
        <source>应为影片所在文件夹内的相对文件名</source>
        <translation>should be a relative file name inside the movie&apos;s folder</translation>
    </message>
    <message>
        <source>应为 cover、contain 或 stretch</source>
        <translation>should be cover, contain or stretch</translation>
    </message>
    <message>
        <source>应在 0 到 1 之间且宽高为正</source>
        <translation>should be within 0 to 1 with a positive width and height</translation>
    </message>
    <message>
        <source>应为 linear 或 radial</source>
        <translation>should be linear or radial</translation>
    </message>
    <message>
        <source>应为至少两个 [位置, 颜色]</source>
        <translation>should be at least two [position, colour]</translation>
    </message>
    <message>
        <source>应为 [位置, 颜色]</source>
        <translation>should be [position, colour]</translation>
    </message>
    <message>
        <source>应为 left、center 或 right</source>
        <translation>should be left, center or right</translation>
    </message>
    <message>
        <source>不能小于 1</source>
        <translation>cannot be less than 1</translation>
    </message>
    <message>
        <source>不能大于 8</source>
        <translation>cannot be more than 8</translation>
    </message>
    <message>
        <source>不能大于 20</source>
        <translation>cannot be more than 20</translation>
    </message>
    <message>
        <source>不是已知的形状：%1</source>
        <translation>is not a known shape: %1</translation>
    </message>
    <message>
        <source>不是已知的方向：%1</source>
        <translation>is not a known direction: %1</translation>
    </message>
    <message>
        <source>影片文件 %1 无法读取：第 %2 行格式错误（%3）</source>
        <translation>Movie file %1 cannot be read: format error in line %2 (%3)</translation>
    </message>
    <message>
        <source>影片文件 %1 无法读取：%2</source>
        <translation>Movie file %1 cannot be read: %2</translation>
    </message>
    <message>
        <source>(文档)</source>
        <translation>(document)</translation>
    </message>
    <message>
        <source>缺少：这不是影片文档</source>
        <translation>is missing: this is not a movie document</translation>
    </message>
    <message>
        <source>应为 1 到 %1 的整数宽高</source>
        <translation>should be a whole width and height from 1 to %1</translation>
    </message>
    <message>
        <source>应为数组</source>
        <translation>should be an array</translation>
    </message>
    <message>
        <source>超过 %1 个图层</source>
        <translation>has more than %1 layers</translation>
    </message>
</context>
<context>
    <name>lumora::MoviePlayer</name>
    <message>
        <source>找不到影片文件：%1</source>
        <translation>Movie file not found: %1</translation>
    </message>
</context>
<context>
    <name>lumora::MovieRenderer</name>
    <message>
        <source>影片渲染目标图片为空</source>
        <translation>The movie&apos;s target picture is empty</translation>
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
    <name>lumora::PackedFile</name>
    <message>
        <source>无法读取文件 %1：%2</source>
        <translation>Cannot read the file %1: %2</translation>
    </message>
    <message>
        <source>无法写入文件 %1：%2</source>
        <translation>Cannot write the file %1: %2</translation>
    </message>
    <message>
        <source>%1：资源文件已损坏（层头不完整）</source>
        <translation>%1: damaged resource file (incomplete layer header)</translation>
    </message>
    <message>
        <source>%1：资源文件已损坏（层长度 %2 无效）</source>
        <translation>%1: damaged resource file (invalid layer length %2)</translation>
    </message>
    <message>
        <source>%1：无法初始化解压</source>
        <translation>%1: cannot start unpacking</translation>
    </message>
    <message>
        <source>%1：资源文件已损坏（解压失败）</source>
        <translation>%1: damaged resource file (unpacking failed)</translation>
    </message>
    <message>
        <source>%1：资源文件已损坏（解压长度超过 %2 字节）</source>
        <translation>%1: damaged resource file (unpacked length over %2 bytes)</translation>
    </message>
    <message>
        <source>%1：资源文件已损坏（数据被截断）</source>
        <translation>%1: damaged resource file (data cut short)</translation>
    </message>
    <message>
        <source>%1：资源文件已损坏（解压得到 %2 字节，应为 %3 字节）</source>
        <translation>%1: damaged resource file (unpacked %2 bytes, %3 expected)</translation>
    </message>
    <message>
        <source>压缩失败</source>
        <translation>Packing failed</translation>
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
    <message>
        <source>此张照片文件在 %1 个模板文件中使用,删除后,模板文件中的照片文件也会被删除,是否确定要删除当前选中的照片文件?</source>
        <translation>This photo is used in %1 templates; deleting it removes it from those templates too. Delete the selected photo?</translation>
    </message>
</context>
<context>
    <name>lumora::PictureFamily</name>
    <message>
        <source>婚纱特效组合</source>
        <translation>Wedding effects</translation>
    </message>
    <message>
        <source>卡通特效组合</source>
        <translation>Cartoon effects</translation>
    </message>
    <message>
        <source>花草特效组合</source>
        <translation>Flower effects</translation>
    </message>
    <message>
        <source>粒子特效组合</source>
        <translation>Particle effects</translation>
    </message>
    <message>
        <source>滤镜特效组合</source>
        <translation>Filter effects</translation>
    </message>
</context>
<context>
    <name>lumora::PreviewPlayback</name>
    <message>
        <source>没有完成照片匹配的模板,无法播放相册！</source>
        <translation>No template is fully matched with photos; the album cannot play!</translation>
    </message>
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
        <source>照片无法读取,以灰色代替：%1</source>
        <translation>A photo cannot be read and is shown grey: %1</translation>
    </message>
    <message>
        <source>预览帧超出相册：%1</source>
        <translation>Preview frame beyond the album: %1</translation>
    </message>
</context>
<context>
    <name>lumora::ProductionRun</name>
    <message>
        <source>没有完成照片匹配的模板，无法制作相册！</source>
        <translation>No template is fully matched with photos; the album cannot be made!</translation>
    </message>
    <message>
        <source>模板没有帧数，无法制作相册：%1</source>
        <translation>A template has no frames; the album cannot be made: %1</translation>
    </message>
</context>
<context>
    <name>lumora::ProjectFile</name>
    <message>
        <source>相册文件已损坏,无法打开：%1（%2）</source>
        <translation>The album file is damaged and cannot be opened: %1 (%2)</translation>
    </message>
    <message>
        <source>表 %1 没有行</source>
        <translation>table %1 has no rows</translation>
    </message>
    <message>
        <source>表 %1 第 %2 行</source>
        <translation>table %1, row %2</translation>
    </message>
    <message>
        <source>相册文件中的模板“%1”在当前模板库中找不到,无法打开相册！</source>
        <translation>The album&apos;s template “%1” is not in the current template library; the album cannot be opened!</translation>
    </message>
    <message>
        <source>照片位置表第 %1 行</source>
        <translation>photo frame table, row %1</translation>
    </message>
    <message>
        <source>背景图片表</source>
        <translation>background picture table</translation>
    </message>
    <message>
        <source>歌词设置表</source>
        <translation>lyric settings table</translation>
    </message>
    <message>
        <source>特效表</source>
        <translation>effect table</translation>
    </message>
    <message>
        <source>相册文件无法保存：%1（%2）</source>
        <translation>The album file cannot be saved: %1 (%2)</translation>
    </message>
    <message>
        <source>相册用到的以下文件找不到了：
%1</source>
        <translation>These files of the album cannot be found:
%1</translation>
    </message>
    <message>
        <source>相册文件无法打开：%1（%2）</source>
        <translation>The album file cannot be opened: %1 (%2)</translation>
    </message>
    <message>
        <source>文件过大</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>这不是相册文件：%1</source>
        <translation>This is not an album file: %1</translation>
    </message>
    <message>
        <source>相册文件由更新版本的程序保存,请升级程序后再打开：%1</source>
        <translation>The album file was saved by a newer version of the program; please upgrade to open it: %1</translation>
    </message>
    <message>
        <source>版本</source>
        <translation>version</translation>
    </message>
    <message>
        <source>相册模式</source>
        <translation>Album mode</translation>
    </message>
    <message>
        <source>缺少表 %1</source>
        <translation>table %1 is missing</translation>
    </message>
</context>
<context>
    <name>lumora::Staging</name>
    <message>
        <source>背景图片没有宽度或高度</source>
        <translation>the background picture has no width or height</translation>
    </message>
    <message>
        <source>图片尺寸为零，没有生成</source>
        <translation>the picture has zero size and was not made</translation>
    </message>
    <message>
        <source>已使用模板 %1 的模板序号 %2 不在模板列表中</source>
        <translation>Template in use %1: template number %2 is not in the template list</translation>
    </message>
</context>
<context>
    <name>lumora::TemplateDriver</name>
    <message>
        <source>B-卸载创建的FLASH完成！</source>
        <translation>B-Created players unloaded!</translation>
    </message>
    <message>
        <source>B-创建FLASH控件完成！</source>
        <translation>B-Players created!</translation>
    </message>
    <message>
        <source>影片 %1 没有通过身份检查</source>
        <translation>The movie %1 failed its identity check</translation>
    </message>
    <message>
        <source>找不到第 %1 个模板的影片文件：%2</source>
        <translation>The movie file of template %1 cannot be found: %2</translation>
    </message>
    <message>
        <source>找不到结尾影片文件：%1</source>
        <translation>The ending movie file cannot be found: %1</translation>
    </message>
    <message>
        <source>找不到模板影片文件：%1</source>
        <translation>The template movie file cannot be found: %1</translation>
    </message>
    <message>
        <source>没有载入影片，无法播放下一帧</source>
        <translation>No movie is loaded; the next frame cannot play</translation>
    </message>
    <message>
        <source>没有载入影片，无法截取画面</source>
        <translation>No movie is loaded; no picture can be taken</translation>
    </message>
</context>
<context>
    <name>lumora::TemplatePacks</name>
    <message>
        <source>模板组合 - %1</source>
        <translation>Combination - %1</translation>
    </message>
    <message>
        <source>组合模板 %1 已损坏：条目数 &quot;%2&quot; 不在 0 … %3 之内</source>
        <translation>Template combination %1 is damaged: the entry count &quot;%2&quot; is not within 0 … %3</translation>
    </message>
    <message>
        <source>说明：选中的组合模板至少需要 1 张横照片和 1 张竖照片</source>
        <translation>Note: the selected combination needs at least 1 landscape and 1 portrait photo</translation>
    </message>
    <message>
        <source>说明：选中的组合模板至少需要 1 张横照片</source>
        <translation>Note: the selected combination needs at least 1 landscape photo</translation>
    </message>
    <message>
        <source>说明：选中的组合模板至少需要 1 张竖照片</source>
        <translation>Note: the selected combination needs at least 1 portrait photo</translation>
    </message>
    <message>
        <source>当前选中的组合模板，至少需要添加 1 张横照片,点[确定]按钮继续添加照片</source>
        <translation>The selected combination needs at least 1 landscape photo. Click [OK] to add more photos</translation>
    </message>
    <message>
        <source>当前选中的组合模板，至少需要添加 1 张竖照片,点[确定]按钮继续添加照片</source>
        <translation>The selected combination needs at least 1 portrait photo. Click [OK] to add more photos</translation>
    </message>
</context>
<context>
    <name>lumora::TextEffectCategory</name>
    <message>
        <source>全部</source>
        <translation>All</translation>
    </message>
    <message>
        <source>婚纱</source>
        <translation>Wedding photos</translation>
    </message>
    <message>
        <source>结婚</source>
        <translation>Wedding</translation>
    </message>
    <message>
        <source>宝贝</source>
        <translation>Baby</translation>
    </message>
    <message>
        <source>童年</source>
        <translation>Childhood</translation>
    </message>
    <message>
        <source>生日</source>
        <translation>Birthday</translation>
    </message>
    <message>
        <source>聚会</source>
        <translation>Party</translation>
    </message>
    <message>
        <source>毕业</source>
        <translation>Graduation</translation>
    </message>
    <message>
        <source>友谊</source>
        <translation>Friendship</translation>
    </message>
    <message>
        <source>爱情</source>
        <translation>Love</translation>
    </message>
    <message>
        <source>家庭</source>
        <translation>Family</translation>
    </message>
    <message>
        <source>数码</source>
        <translation>Digital</translation>
    </message>
    <message>
        <source>产品</source>
        <translation>Products</translation>
    </message>
    <message>
        <source>成长</source>
        <translation>Growing up</translation>
    </message>
    <message>
        <source>喜庆</source>
        <translation>Celebration</translation>
    </message>
    <message>
        <source>开业</source>
        <translation>Grand opening</translation>
    </message>
    <message>
        <source>春天</source>
        <translation>Spring</translation>
    </message>
    <message>
        <source>夏天</source>
        <translation>Summer</translation>
    </message>
    <message>
        <source>秋天</source>
        <translation>Autumn</translation>
    </message>
    <message>
        <source>冬天</source>
        <translation>Winter</translation>
    </message>
    <message>
        <source>运动会</source>
        <translation>Sports day</translation>
    </message>
    <message>
        <source>%1 %2文字元素</source>
        <translation>%1 %2 captions</translation>
    </message>
</context>
<context>
    <name>lumora::WorkRoot</name>
    <message>
        <source>无法创建工作目录：%1</source>
        <translation>Cannot create the working folder: %1</translation>
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
    <message>
        <source>编号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>图片名称</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>图片类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>宽度</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高度</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>图片位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>透明度</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>模板名称</source>
        <translation>Template name</translation>
    </message>
    <message>
        <source>模板类型</source>
        <translation>Template type</translation>
    </message>
    <message>
        <source>横照片</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>竖照片</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>模板时长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>模板分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>照片匹配</source>
        <translation>Photos</translation>
    </message>
    <message>
        <source>行号</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>音乐名称</source>
        <translation>Music name</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>音乐时长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>需要帧数</source>
        <translation>Frames needed</translation>
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
    <message>
        <source>选择相册保存路径,然后点[确定]按钮</source>
        <translation>Choose where to save the album, then click [OK]</translation>
    </message>
</context>
<context>
    <name>lumora::ui::AlbumPreview</name>
    <message>
        <source>播放位置：点击或拖动跳到相册的任一时刻</source>
        <translation>Playing position: click or drag to go to any moment of the album</translation>
    </message>
    <message>
        <source>有 %1 张照片没有与模板匹配,是否自动完成照片与模板的匹配?</source>
        <translation>%1 photos are not matched with templates. Match them automatically?</translation>
    </message>
    <message>
        <source>自动完成</source>
        <translation>Complete automatically</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>暂停</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>暂停播放 (空格键)</source>
        <translation>Pause (Space)</translation>
    </message>
</context>
<context>
    <name>lumora::ui::AlbumTypeWindow</name>
    <message>
        <source>选择相册类型</source>
        <translation>Choose the album type</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>输出电子相册类型</source>
        <translation>Output type</translation>
    </message>
    <message>
        <source>选择相册输出尺寸</source>
        <translation>Output size</translation>
    </message>
    <message>
        <source>当前输出相册尺寸</source>
        <translation>Current size</translation>
    </message>
    <message>
        <source>输入相册名称</source>
        <translation>Album name</translation>
    </message>
    <message>
        <source>开头加上片头标题（相册名称和今天的日期），结尾加上“谢谢观看”</source>
        <translation>Add an opening title (album name and today&apos;s date) and “Thanks for watching” at the end</translation>
    </message>
    <message>
        <source>以后可在“系统设置”中修改或去掉</source>
        <translation>You can change or remove them later in “Settings”</translation>
    </message>
    <message>
        <source>开始制作</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>yyyy年M月d日</source>
        <translation>d MMMM yyyy</translation>
    </message>
    <message>
        <source>谢谢观看</source>
        <translation>Thanks for watching</translation>
    </message>
</context>
<context>
    <name>lumora::ui::BackgroundWindow</name>
    <message>
        <source>背景图片</source>
        <translation>Backgrounds</translation>
    </message>
    <message>
        <source>图片编号</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>图片名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>图片格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>图片宽度</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>图片高度</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>图片位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>左右移动设置背景图片的透明度</source>
        <translation>Move left or right to set the background picture&apos;s transparency</translation>
    </message>
    <message>
        <source>透明度</source>
        <translation>Transparency</translation>
    </message>
    <message>
        <source>背景图片全部设置为一样透明度</source>
        <translation>Same transparency for all background pictures</translation>
    </message>
    <message>
        <source>更换背景图片</source>
        <translation>Change picture</translation>
    </message>
    <message>
        <source>保存设置</source>
        <translation>Save settings</translation>
    </message>
    <message>
        <source>默认设置</source>
        <translation>Defaults</translation>
    </message>
    <message>
        <source>返  回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>没有选中背景图片文件！</source>
        <translation>No background picture is selected!</translation>
    </message>
    <message>
        <source>没有添加背景图片文件！</source>
        <translation>No background pictures have been added!</translation>
    </message>
    <message>
        <source>当前选中项没有添加背景图片文件！</source>
        <translation>The selected item has no background picture!</translation>
    </message>
    <message>
        <source>第%1张, 背景图片名称: %2</source>
        <translation>Picture %1: %2</translation>
    </message>
    <message>
        <source>背景图片无法读取：%1
%2</source>
        <translation>The background picture cannot be read: %1
%2</translation>
    </message>
    <message>
        <source>没有找到背景图片文件！</source>
        <translation>No background picture found!</translation>
    </message>
    <message>
        <source>保存设置完成！</source>
        <translation>Settings saved!</translation>
    </message>
    <message>
        <source>默认设置完成！</source>
        <translation>Defaults restored!</translation>
    </message>
    <message>
        <source>添加照片文件(JPG) (*.jpg *.JPG)</source>
        <translation>Photo files (JPG) (*.jpg *.JPG)</translation>
    </message>
    <message>
        <source>此张照片</source>
        <translation>This photo</translation>
    </message>
</context>
<context>
    <name>lumora::ui::ConfirmDialog</name>
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
    <name>lumora::ui::CropWindow</name>
    <message>
        <source>照片剪裁</source>
        <translation>Photo cropping</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>照片名称</source>
        <translation>Photo name</translation>
    </message>
    <message>
        <source>使用次数</source>
        <translation>Uses</translation>
    </message>
    <message>
        <source>照片位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>标注</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>行号</source>
        <translation>Row</translation>
    </message>
    <message>
        <source>序号：</source>
        <translation>No.:</translation>
    </message>
    <message>
        <source>文件名：</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>照片位置：</source>
        <translation>Location:</translation>
    </message>
    <message>
        <source>使用次数：</source>
        <translation>Uses:</translation>
    </message>
    <message>
        <source>照片全屏显示</source>
        <translation>Fill the frame</translation>
    </message>
    <message>
        <source>照片适中显示</source>
        <translation>Fit in the frame</translation>
    </message>
    <message>
        <source>放大相片</source>
        <translation>Larger</translation>
    </message>
    <message>
        <source>缩小相片</source>
        <translation>Smaller</translation>
    </message>
    <message>
        <source>默认大小</source>
        <translation>Default size</translation>
    </message>
    <message>
        <source>保存剪裁</source>
        <translation>Save crop</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>没有添加照片文件！</source>
        <translation>No photos have been added!</translation>
    </message>
    <message>
        <source>添加的照片文件没有与模板文件匹配！</source>
        <translation>The added photos are not matched with templates!</translation>
    </message>
    <message>
        <source>没有选中照片文件！</source>
        <translation>No photo is selected!</translation>
    </message>
    <message>
        <source>保存剪裁完成！</source>
        <translation>Crop saved!</translation>
    </message>
</context>
<context>
    <name>lumora::ui::DeleteByOriginDialog</name>
    <message>
        <source>选择删除特效</source>
        <translation>Delete by kind</translation>
    </message>
    <message>
        <source>全部删除手动添加的画面特效</source>
        <translation>Delete all picture effects added by hand</translation>
    </message>
    <message>
        <source>全部删除手动添加的文字特效</source>
        <translation>Delete all text effects added by hand</translation>
    </message>
    <message>
        <source>全部删除自动添加的画面特效</source>
        <translation>Delete all picture effects added automatically</translation>
    </message>
    <message>
        <source>全部删除自动添加的文字特效</source>
        <translation>Delete all text effects added automatically</translation>
    </message>
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
    <name>lumora::ui::DraftWork</name>
    <message>
        <source>未知错误</source>
        <translation>unknown error</translation>
    </message>
</context>
<context>
    <name>lumora::ui::EditCommands</name>
    <message>
        <source>保存相册</source>
        <translation>Save album</translation>
    </message>
    <message>
        <source>保存相册文件 (Ctrl+S)</source>
        <translation>Save the album file (Ctrl+S)</translation>
    </message>
    <message>
        <source>打开相册</source>
        <translation>Open album</translation>
    </message>
    <message>
        <source>打开相册文件 (Ctrl+Shift+O)</source>
        <translation>Open an album file (Ctrl+Shift+O)</translation>
    </message>
</context>
<context>
    <name>lumora::ui::EffectTimelineWindow</name>
    <message>
        <source>预览时钟</source>
        <translation>Preview clock</translation>
    </message>
    <message>
        <source>时:分:秒</source>
        <translation>h:mm:ss</translation>
    </message>
    <message>
        <source>选中的特效的开始时间,格式 时:分:秒,例如 00:00:02</source>
        <translation>Start time of the selected effect, as h:mm:ss, for example 00:00:02</translation>
    </message>
    <message>
        <source>添加特效</source>
        <translation>Add effect</translation>
    </message>
    <message>
        <source>修改时间</source>
        <translation>Change time</translation>
    </message>
    <message>
        <source>删除特效</source>
        <translation>Delete effect</translation>
    </message>
    <message>
        <source>全部删除</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>选择删除特效</source>
        <translation>Delete by kind</translation>
    </message>
    <message>
        <source>单个预览</source>
        <translation>Preview one</translation>
    </message>
    <message>
        <source>全部预览</source>
        <translation>Preview all</translation>
    </message>
    <message>
        <source>停止预览</source>
        <translation>Stop preview</translation>
    </message>
    <message>
        <source>自动添加组合特效</source>
        <translation>Add combinations</translation>
    </message>
    <message>
        <source>自动加到模板</source>
        <translation>Add to templates</translation>
    </message>
    <message>
        <source>返    回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>画面特效:</source>
        <translation>Picture effects:</translation>
    </message>
    <message>
        <source>文字特效:</source>
        <translation>Text effects:</translation>
    </message>
    <message>
        <source>预览时间:</source>
        <translation>Preview time:</translation>
    </message>
    <message>
        <source>特效出现时间:</source>
        <translation>Effect appears at:</translation>
    </message>
    <message>
        <source>选中特效的开始时间:</source>
        <translation>Selected effect starts at:</translation>
    </message>
    <message>
        <source>正在预览:%1(%2 帧,%3 秒)</source>
        <translation>Previewing: %1 (%2 frames, %3 s)</translation>
    </message>
    <message>
        <source>没有添加画面特效!</source>
        <translation>No picture effects have been added!</translation>
    </message>
    <message>
        <source>没有添加文字特效!</source>
        <translation>No text effects have been added!</translation>
    </message>
    <message>
        <source>没有选中已添加的特效！</source>
        <translation>No added effect is selected!</translation>
    </message>
    <message>
        <source>单个预览:第 %1 行</source>
        <translation>Preview one: row %1</translation>
    </message>
</context>
<context>
    <name>lumora::ui::ExitDialog</name>
    <message>
        <source>退出软件</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>是否退出软件?</source>
        <translation>Exit the program?</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>未知错误</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>清理工作文件夹失败：%1</source>
        <translation>Cleaning the working folder failed: %1</translation>
    </message>
</context>
<context>
    <name>lumora::ui::GuardedApplication</name>
    <message>
        <source>操作没有完成，程序内部出错：%1
（出错位置：%2，%3）
相册保持原样，可以继续使用。</source>
        <translation>The operation was not completed: internal error: %1
(at: %2, %3)
The album is unchanged; you can go on working.</translation>
    </message>
    <message>
        <source>未知错误</source>
        <translation>unknown error</translation>
    </message>
    <message>
        <source>未知</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>未知事件</source>
        <translation>unknown event</translation>
    </message>
</context>
<context>
    <name>lumora::ui::IdlePicture</name>
    <message>
        <source>添加照片，开始制作电子相册</source>
        <translation>Add photos to start making your photo album</translation>
    </message>
</context>
<context>
    <name>lumora::ui::Loader</name>
    <message>
        <source>电子相册制作</source>
        <translation>Photo Album Maker</translation>
    </message>
    <message>
        <source>正在启动，请稍候……</source>
        <translation>Starting, please wait…</translation>
    </message>
</context>
<context>
    <name>lumora::ui::LyricPanel</name>
    <message>
        <source>屏幕</source>
        <translation>Screen</translation>
    </message>
</context>
<context>
    <name>lumora::ui::LyricSettingsWindow</name>
    <message>
        <source>此处显示歌词内容</source>
        <translation>The lyrics appear here</translation>
    </message>
    <message>
        <source>黑色</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>栗色</source>
        <translation>Maroon</translation>
    </message>
    <message>
        <source>绿色</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>橄榄色</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>藏青色</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>紫色</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>青色</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>灰色</source>
        <translation>Grey</translation>
    </message>
    <message>
        <source>银色</source>
        <translation>Silver</translation>
    </message>
    <message>
        <source>红色</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>亮绿色</source>
        <translation>Lime</translation>
    </message>
    <message>
        <source>黄色</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>蓝色</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>紫红色</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>浅蓝色</source>
        <translation>Aqua</translation>
    </message>
    <message>
        <source>白色</source>
        <translation>White</translation>
    </message>
    <message>
        <source>常规</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>倾斜</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>粗体</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>粗体 倾斜</source>
        <translation>Bold italic</translation>
    </message>
    <message>
        <source>歌词设置</source>
        <translation>Lyric settings</translation>
    </message>
    <message>
        <source>显示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>默认显示</source>
        <translation>Default display</translation>
    </message>
    <message>
        <source>自定义显示</source>
        <translation>Custom display</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>自定义</source>
        <translation>Free</translation>
    </message>
    <message>
        <source>居中显示</source>
        <translation>Centred</translation>
    </message>
    <message>
        <source>金黄色</source>
        <translation>Gold</translation>
    </message>
    <message>
        <source>歌词颜色</source>
        <translation>Lyric colour</translation>
    </message>
    <message>
        <source>卡拉OK歌词(逐字时间)唱到的字填充的颜色</source>
        <translation>Colour that fills the sung words of karaoke lyrics (timed word by word)</translation>
    </message>
    <message>
        <source>高亮颜色</source>
        <translation>Highlight colour</translation>
    </message>
    <message>
        <source>歌词字体</source>
        <translation>Lyric font</translation>
    </message>
    <message>
        <source>歌词大小</source>
        <translation>Lyric size</translation>
    </message>
    <message>
        <source>歌词字形</source>
        <translation>Lyric style</translation>
    </message>
    <message>
        <source>简体</source>
        <translation>Simplified</translation>
    </message>
    <message>
        <source>繁体</source>
        <translation>Traditional</translation>
    </message>
    <message>
        <source>简体繁体</source>
        <translation>Characters</translation>
    </message>
    <message>
        <source>保存设置</source>
        <translation>Save settings</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>字体“%1”在本机没有安装，显示时用相近的字体代替。</source>
        <translation>The font “%1” is not installed here; a similar font is shown instead.</translation>
    </message>
    <message>
        <source>字号“%1”不在 10～60 之内，按保存的字号显示。</source>
        <translation>The size “%1” is not within 10 to 60; the saved size is shown.</translation>
    </message>
</context>
<context>
    <name>lumora::ui::LyricWindow</name>
    <message>
        <source>没有添加歌词文件！</source>
        <translation>No lyric files have been added!</translation>
    </message>
    <message>
        <source>删除歌词</source>
        <translation>Delete lyrics</translation>
    </message>
    <message>
        <source>添加歌词</source>
        <translation>Add lyrics</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>歌词名称</source>
        <translation>Lyric name</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>全部删除</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>歌词预览</source>
        <translation>Preview lyrics</translation>
    </message>
    <message>
        <source>设置歌词</source>
        <translation>Lyric settings</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>是否确定要删除当前选中的歌词文件?</source>
        <translation>Delete the selected lyric file?</translation>
    </message>
    <message>
        <source>没有选中歌词文件！</source>
        <translation>No lyric file is selected!</translation>
    </message>
    <message>
        <source>选中的歌词文件已经删除！</source>
        <translation>The selected lyric file is deleted!</translation>
    </message>
    <message>
        <source>是否确定要删除全部歌词文件?</source>
        <translation>Delete all lyric files?</translation>
    </message>
    <message>
        <source>歌词文件已经全部删除！</source>
        <translation>All lyric files are deleted!</translation>
    </message>
    <message>
        <source>没有添加音乐文件！</source>
        <translation>No music files have been added!</translation>
    </message>
    <message>
        <source>添加歌词文件(LRC) (*.lrc *.LRC)</source>
        <translation>Lyric files (LRC) (*.lrc *.LRC)</translation>
    </message>
</context>
<context>
    <name>lumora::ui::MainWindow</name>
    <message>
        <source>没有添加照片文件！</source>
        <translation>No photos have been added!</translation>
    </message>
    <message>
        <source>没有选中照片文件！</source>
        <translation>No photo is selected!</translation>
    </message>
    <message>
        <source>已经是第一页了！</source>
        <translation>This is already the first page!</translation>
    </message>
    <message>
        <source>已经是最后一页了！</source>
        <translation>This is already the last page!</translation>
    </message>
    <message>
        <source>不能再缩小了,点[确定]按钮，照片大小恢复到默认大小！</source>
        <translation>Cannot shrink further. Click [OK] to return the photo to its default size!</translation>
    </message>
    <message>
        <source>该功能的窗口正在制作中，暂不可用。</source>
        <translation>This window is still being built and is not available yet.</translation>
    </message>
    <message>
        <source>相册模式</source>
        <translation>Album mode</translation>
    </message>
    <message>
        <source>选择相册模式：竖屏、宽屏16:9或宽屏4:3</source>
        <translation>Choose the album mode: portrait, widescreen 16:9 or 4:3</translation>
    </message>
    <message>
        <source>添加照片</source>
        <translation>Add photos</translation>
    </message>
    <message>
        <source>添加照片文件 (Ctrl+O)</source>
        <translation>Add photo files (Ctrl+O)</translation>
    </message>
    <message>
        <source>添加音乐</source>
        <translation>Add music</translation>
    </message>
    <message>
        <source>添加音乐文件</source>
        <translation>Add music files</translation>
    </message>
    <message>
        <source>添加歌词</source>
        <translation>Add lyrics</translation>
    </message>
    <message>
        <source>添加歌词文件</source>
        <translation>Add lyric files</translation>
    </message>
    <message>
        <source>模板管理</source>
        <translation>Templates</translation>
    </message>
    <message>
        <source>管理相册使用的模板</source>
        <translation>Manage the templates of the album</translation>
    </message>
    <message>
        <source>照片剪裁</source>
        <translation>Crop photos</translation>
    </message>
    <message>
        <source>剪裁模板中的照片</source>
        <translation>Crop the photos in the templates</translation>
    </message>
    <message>
        <source>背景图片</source>
        <translation>Backgrounds</translation>
    </message>
    <message>
        <source>设置模板的背景图片</source>
        <translation>Set the templates&apos; background pictures</translation>
    </message>
    <message>
        <source>画面特效</source>
        <translation>Picture FX</translation>
    </message>
    <message>
        <source>添加画面特效</source>
        <translation>Add picture effects</translation>
    </message>
    <message>
        <source>文字特效</source>
        <translation>Text FX</translation>
    </message>
    <message>
        <source>添加文字特效</source>
        <translation>Add text effects</translation>
    </message>
    <message>
        <source>同步效果</source>
        <translation>Sync</translation>
    </message>
    <message>
        <source>随模板或随音乐同步</source>
        <translation>Synchronise with the templates or the music</translation>
    </message>
    <message>
        <source>系统设置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>退出软件</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>支持VCD格式相册</source>
        <translation>Make a VCD album</translation>
    </message>
    <message>
        <source>支持SVCD格式相册</source>
        <translation>Make an SVCD album</translation>
    </message>
    <message>
        <source>支持DVD格式相册 － 推荐使用</source>
        <translation>Make a DVD album (recommended)</translation>
    </message>
    <message>
        <source>支持AVI格式相册</source>
        <translation>Make an AVI album</translation>
    </message>
    <message>
        <source>支持WMV格式相册</source>
        <translation>Make a WMV album</translation>
    </message>
    <message>
        <source>支持MP4格式相册</source>
        <translation>Make an MP4 album</translation>
    </message>
    <message>
        <source>支持MOV格式相册</source>
        <translation>Make a MOV album</translation>
    </message>
    <message>
        <source>画面质量</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>电视制式和画质</source>
        <translation>TV system and picture quality</translation>
    </message>
    <message>
        <source>默认窗口</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>默认窗口大小</source>
        <translation>Default window size</translation>
    </message>
    <message>
        <source>放大窗口</source>
        <translation>Enlarge</translation>
    </message>
    <message>
        <source>放大窗口，显示照片列表</source>
        <translation>Enlarge the window and show the photo list</translation>
    </message>
    <message>
        <source>全屏窗口</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>全屏显示 (F11，Esc 退出全屏)</source>
        <translation>Full screen (F11; Esc leaves full screen)</translation>
    </message>
    <message>
        <source>程序资源已损坏，请重新安装。
%1</source>
        <translation>The program&apos;s resources are damaged. Please reinstall.
%1</translation>
    </message>
    <message>
        <source>第一页</source>
        <translation>First</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>Previous</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>末一页</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>上一页 (PageUp)</source>
        <translation>Previous page (PageUp)</translation>
    </message>
    <message>
        <source>下一页 (PageDown)</source>
        <translation>Next page (PageDown)</translation>
    </message>
    <message>
        <source>照片：</source>
        <translation>Photos:</translation>
    </message>
    <message>
        <source>0 张</source>
        <translation> 0</translation>
    </message>
    <message>
        <source>音乐：</source>
        <translation>Music:</translation>
    </message>
    <message>
        <source>0 个</source>
        <translation> 0</translation>
    </message>
    <message>
        <source>歌词：</source>
        <translation>Lyrics:</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>模板</source>
        <translation>Template</translation>
    </message>
    <message>
        <source>模板时长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>音乐</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>时间长度</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>歌词</source>
        <translation>Lyrics</translation>
    </message>
    <message>
        <source>歌词格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>播放相册</source>
        <translation>Play the album</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>停止播放</source>
        <translation>Stop playing</translation>
    </message>
    <message>
        <source>照片大小：</source>
        <translation>Photo size:</translation>
    </message>
    <message>
        <source>放大</source>
        <translation>Larger</translation>
    </message>
    <message>
        <source>放大照片 (Ctrl++)</source>
        <translation>Larger photos (Ctrl++)</translation>
    </message>
    <message>
        <source>缩小</source>
        <translation>Smaller</translation>
    </message>
    <message>
        <source>缩小照片 (Ctrl+-)</source>
        <translation>Smaller photos (Ctrl+-)</translation>
    </message>
    <message>
        <source>默认</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>默认大小 (Ctrl+0)</source>
        <translation>Default size (Ctrl+0)</translation>
    </message>
    <message>
        <source>%1 个</source>
        <translation> %1</translation>
    </message>
    <message>
        <source>%1 张</source>
        <translation> %1</translation>
    </message>
    <message>
        <source>鼠标双击预览模板效果。    第%1张, 照片名称: %2</source>
        <translation>Double-click to preview the template.    Photo %1: %2</translation>
    </message>
    <message>
        <source>查看照片</source>
        <translation>View photo</translation>
    </message>
    <message>
        <source>预览效果</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>双击照片预览效果！</source>
        <translation>Double-click a photo to preview it!</translation>
    </message>
    <message>
        <source>删除照片</source>
        <translation>Delete photo</translation>
    </message>
    <message>
        <source>全部删除</source>
        <translation>Delete all</translation>
    </message>
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
    <name>lumora::ui::ModeChangeWindow</name>
    <message>
        <source>更改相册模式</source>
        <translation>Changing the album mode</translation>
    </message>
    <message>
        <source>正在加载相册模式的模板，请稍候……</source>
        <translation>Loading the templates of the album mode, please wait…</translation>
    </message>
</context>
<context>
    <name>lumora::ui::ModeChooser</name>
    <message>
        <source>竖屏模式（手机屏幕）：在手机上面竖屏欣赏效果。</source>
        <translation>Portrait (phone screen): watch it upright on a phone.</translation>
    </message>
    <message>
        <source>更换相册模式会清空当前的所有数据，是否确定要选择【竖屏模式】吗？</source>
        <translation>Changing the album mode clears everything in the current album. Choose [Portrait] anyway?</translation>
    </message>
    <message>
        <source>宽屏模式（16:9）：在电脑，电视，手机上面宽屏欣赏效果。</source>
        <translation>Widescreen (16:9): watch it wide on a computer, TV or phone.</translation>
    </message>
    <message>
        <source>更换相册模式会清空当前的所有数据，是否确定要选择【宽屏模式（16:9）】吗？</source>
        <translation>Changing the album mode clears everything in the current album. Choose [Widescreen (16:9)] anyway?</translation>
    </message>
    <message>
        <source>宽屏模式（4:3）：在LED大屏幕或老电视上面欣赏效果。</source>
        <translation>Widescreen (4:3): watch it on a large LED screen or an older TV.</translation>
    </message>
    <message>
        <source>更换相册模式会清空当前的所有数据，是否确定要选择【宽屏模式（4:3）】吗？</source>
        <translation>Changing the album mode clears everything in the current album. Choose [Widescreen (4:3)] anyway?</translation>
    </message>
    <message>
        <source>选择相册模式</source>
        <translation>Choose the album mode</translation>
    </message>
    <message>
        <source>三种相册模式都支持横照片、竖照片。</source>
        <translation>All three album modes take landscape and portrait photos.</translation>
    </message>
    <message>
        <source>打开相册</source>
        <translation>Open album</translation>
    </message>
    <message>
        <source>打开已经保存的相册文件</source>
        <translation>Open an album file saved earlier</translation>
    </message>
    <message>
        <source>没有选择相册模式！</source>
        <translation>No album mode is chosen!</translation>
    </message>
</context>
<context>
    <name>lumora::ui::MusicPreviewWindow</name>
    <message>
        <source>音乐歌词预览</source>
        <translation>Music and lyrics preview</translation>
    </message>
    <message>
        <source>音乐：</source>
        <translation>Music:</translation>
    </message>
    <message>
        <source>歌词：</source>
        <translation>Lyrics:</translation>
    </message>
    <message>
        <source>播放音乐</source>
        <translation>Play music</translation>
    </message>
    <message>
        <source>停止播放</source>
        <translation>Stop playing</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>没有添加音乐文件！</source>
        <translation>No music files have been added!</translation>
    </message>
    <message>
        <source>没有选择歌词文件！</source>
        <translation>No lyric file is chosen!</translation>
    </message>
    <message>
        <source>没有选择音乐文件！</source>
        <translation>No music file is chosen!</translation>
    </message>
</context>
<context>
    <name>lumora::ui::MusicWindow</name>
    <message>
        <source>没有添加音乐文件！</source>
        <translation>No music files have been added!</translation>
    </message>
    <message>
        <source>删除音乐</source>
        <translation>Delete music</translation>
    </message>
    <message>
        <source>正在添加音乐……</source>
        <translation>Adding music…</translation>
    </message>
    <message>
        <source>添加音乐</source>
        <translation>Add music</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>音乐名称</source>
        <translation>Music name</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>音乐时长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>全部删除</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>音乐预览</source>
        <translation>Preview music</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>是否确定要删除当前选中的音乐文件?</source>
        <translation>Delete the selected music file?</translation>
    </message>
    <message>
        <source>没有选中音乐文件！</source>
        <translation>No music file is selected!</translation>
    </message>
    <message>
        <source>选中的音乐文件已经删除！</source>
        <translation>The selected music file is deleted!</translation>
    </message>
    <message>
        <source>是否确定要删除全部音乐文件?</source>
        <translation>Delete all music files?</translation>
    </message>
    <message>
        <source>音乐文件已经全部删除！</source>
        <translation>All music files are deleted!</translation>
    </message>
    <message>
        <source>添加音乐文件(MP3) (*.mp3 *.MP3)</source>
        <translation>Music files (MP3) (*.mp3 *.MP3)</translation>
    </message>
</context>
<context>
    <name>lumora::ui::NoticeDialog</name>
    <message>
        <source>提示</source>
        <translation>Notice</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>lumora::ui::PhotoFilesWindow</name>
    <message>
        <source>照片文件</source>
        <translation>Photo files</translation>
    </message>
    <message>
        <source>查看照片</source>
        <translation>View photo</translation>
    </message>
    <message>
        <source>预览效果</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>放大照片</source>
        <translation>Larger</translation>
    </message>
    <message>
        <source>缩小照片</source>
        <translation>Smaller</translation>
    </message>
    <message>
        <source>删除照片</source>
        <translation>Delete photo</translation>
    </message>
    <message>
        <source>删除选中的照片 (Delete)</source>
        <translation>Delete the selected photo (Delete)</translation>
    </message>
    <message>
        <source>全部删除</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>放大窗口1</source>
        <translation>Enlarge 1</translation>
    </message>
    <message>
        <source>放大窗口2</source>
        <translation>Enlarge 2</translation>
    </message>
    <message>
        <source>默认窗口</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>lumora::ui::PhotoTemplatesWindow</name>
    <message>
        <source>预览此张照片所使用的模板效果</source>
        <translation>Preview the templates this photo is used in</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>照片名称</source>
        <translation>Photo name</translation>
    </message>
    <message>
        <source>使用模板</source>
        <translation>Template</translation>
    </message>
    <message>
        <source>照片位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>标注</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>此张照片用在 %1 个模板文件中,选择下面一项后,点确定按钮,开始预览效果</source>
        <translation>This photo is used in %1 templates. Choose one below and click OK to preview it.</translation>
    </message>
    <message>
        <source>没有选中模板文件！</source>
        <translation>No template is selected!</translation>
    </message>
    <message>
        <source>补全照片文件</source>
        <translation>Complete the photos</translation>
    </message>
    <message>
        <source>此模板中的照片文件没有补全,是否确定现在去补全照片文件?</source>
        <translation>This template is missing photos. Complete them now?</translation>
    </message>
</context>
<context>
    <name>lumora::ui::PhotoWindow</name>
    <message>
        <source>没有添加照片文件！</source>
        <translation>No photos have been added!</translation>
    </message>
    <message>
        <source>没有选中照片文件！</source>
        <translation>No photo is selected!</translation>
    </message>
    <message>
        <source>添加照片文件(JPG) (*.jpg *.JPG *.jpeg *.JPEG)</source>
        <translation>Photo files (JPG) (*.jpg *.JPG *.jpeg *.JPEG)</translation>
    </message>
    <message>
        <source>添加照片</source>
        <translation>Add photos</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>照片</source>
        <translation>Photo</translation>
    </message>
    <message>
        <source>格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>宽度</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>高度</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>套版</source>
        <translation>Matched</translation>
    </message>
    <message>
        <source>照片序号</source>
        <translation>Photo no.</translation>
    </message>
    <message>
        <source>照片名称</source>
        <translation>Photo name</translation>
    </message>
    <message>
        <source>照片格式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>照片宽度</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>照片高度</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>照片位置</source>
        <translation>Location</translation>
    </message>
    <message>
        <source>添加照片文件或文件夹 (Ctrl+O)，也可以把照片拖到这里</source>
        <translation>Add photo files or folders (Ctrl+O); you can also drop photos here</translation>
    </message>
    <message>
        <source>删除照片</source>
        <translation>Delete photo</translation>
    </message>
    <message>
        <source>删除选中的照片 (Delete)</source>
        <translation>Delete the selected photo (Delete)</translation>
    </message>
    <message>
        <source>全部删除</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>删除全部照片 (Shift+Delete)</source>
        <translation>Delete all photos (Shift+Delete)</translation>
    </message>
    <message>
        <source>自动套版</source>
        <translation>Auto match</translation>
    </message>
    <message>
        <source>为没有套版的照片自动匹配模板</source>
        <translation>Match the photos without a template to templates automatically</translation>
    </message>
    <message>
        <source>缩略图方式显示照片</source>
        <translation>Thumbnails</translation>
    </message>
    <message>
        <source>用缩略图查看全部照片</source>
        <translation>See all photos as thumbnails</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>返回主界面</source>
        <translation>Back to the main window</translation>
    </message>
    <message>
        <source>第%1张, 照片名称: %2</source>
        <translation>Photo %1: %2</translation>
    </message>
    <message>
        <source>以下 %1 个文件没有添加：</source>
        <translation>These %1 files were not added:</translation>
    </message>
    <message>
        <source>……另有 %1 个文件</source>
        <translation>…and %1 more files</translation>
    </message>
    <message>
        <source>自动匹配模板</source>
        <translation>Matching templates</translation>
    </message>
    <message>
        <source>照片与模板自动匹配已完成！</source>
        <translation>The photos are matched with templates!</translation>
    </message>
</context>
<context>
    <name>lumora::ui::PictureEffectWindow</name>
    <message>
        <source>画面特效</source>
        <translation>Picture FX</translation>
    </message>
</context>
<context>
    <name>lumora::ui::PicturePlacementWindow</name>
    <message>
        <source>自动添加画面特效</source>
        <translation>Add picture effects automatically</translation>
    </message>
    <message>
        <source>连续添加画面特效</source>
        <translation>Add picture effects one after another</translation>
    </message>
    <message>
        <source>随机添加画面特效</source>
        <translation>Add picture effects at random</translation>
    </message>
    <message>
        <source>间隔秒数添加画面特效</source>
        <translation>Add a picture effect every few seconds</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>特效组合:</source>
        <translation>Effect combination:</translation>
    </message>
    <message>
        <source>秒</source>
        <translation>s</translation>
    </message>
</context>
<context>
    <name>lumora::ui::ProductionStart</name>
    <message>
        <source>保存文件夹不存在：%1</source>
        <translation>The output folder does not exist: %1</translation>
    </message>
    <message>
        <source>无法在此文件夹中保存相册，请选择其他文件夹：%1</source>
        <translation>The album cannot be saved in this folder; please choose another folder: %1</translation>
    </message>
    <message>
        <source>文件已存在</source>
        <translation>File exists</translation>
    </message>
    <message>
        <source>“%1”已经存在，要替换它吗？</source>
        <translation>“%1” already exists. Replace it?</translation>
    </message>
</context>
<context>
    <name>lumora::ui::ProductionWindow</name>
    <message>
        <source>制作</source>
        <translation>Make </translation>
    </message>
    <message>
        <source>相册</source>
        <translation> album</translation>
    </message>
    <message>
        <source>正在准备…</source>
        <translation>Preparing…</translation>
    </message>
    <message>
        <source>正在计算模板和音乐…</source>
        <translation>Working out the templates and music…</translation>
    </message>
    <message>
        <source>%v / %m 帧 (%p%)</source>
        <translation>%v / %m frames (%p%)</translation>
    </message>
    <message>
        <source>已用时间:</source>
        <translation>Elapsed:</translation>
    </message>
    <message>
        <source>剩余时间:</source>
        <translation>Remaining:</translation>
    </message>
    <message>
        <source>制作速度:</source>
        <translation>Speed:</translation>
    </message>
    <message>
        <source>制作总帧数:</source>
        <translation>Total frames:</translation>
    </message>
    <message>
        <source>文件名:</source>
        <translation>File name:</translation>
    </message>
    <message>
        <source>计算需要匹配多少个照片文件</source>
        <translation>Photos the templates need</translation>
    </message>
    <message>
        <source>计算需要匹配多少个音乐文件</source>
        <translation>Music files the album needs</translation>
    </message>
    <message>
        <source>制作日志</source>
        <translation>Log</translation>
    </message>
    <message>
        <source>模板</source>
        <translation>Template</translation>
    </message>
    <message>
        <source>音乐</source>
        <translation>Music</translation>
    </message>
    <message>
        <source>完成后打开保存文件夹</source>
        <translation>Open the output folder when done</translation>
    </message>
    <message>
        <source>打开保存位置</source>
        <translation>Open folder</translation>
    </message>
    <message>
        <source>停止制作</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>开始制作：%1</source>
        <translation>Making: %1</translation>
    </message>
    <message>
        <source>是否确定要停止制作?已经制作的部分可以保留为未完成的文件。</source>
        <translation>Stop making the album? The part made so far can be kept as an unfinished file.</translation>
    </message>
    <message>
        <source>正在停止…</source>
        <translation>Stopping…</translation>
    </message>
    <message>
        <source>正在停止制作…</source>
        <translation>Stopping the production…</translation>
    </message>
    <message>
        <source>保存文件夹不存在：%1</source>
        <translation>The output folder does not exist: %1</translation>
    </message>
    <message>
        <source>正在准备照片… %1 / %2</source>
        <translation>Preparing photos… %1 / %2</translation>
    </message>
    <message>
        <source>正在准备照片…</source>
        <translation>Preparing photos…</translation>
    </message>
    <message>
        <source>正在制作相册…</source>
        <translation>Making the album…</translation>
    </message>
    <message>
        <source>模板 %1 个，歌曲 %2 首，共 %3 帧（%4）</source>
        <translation>%1 templates, %2 songs, %3 frames in all (%4)</translation>
    </message>
    <message>
        <source>正在估算…</source>
        <translation>Estimating…</translation>
    </message>
    <message>
        <source>%1 帧/秒</source>
        <translation>%1 frames/s</translation>
    </message>
    <message>
        <source>约 </source>
        <translation>about </translation>
    </message>
    <message>
        <source>照片无法读取，已用占位图代替：%1</source>
        <translation>A photo could not be read and was replaced by a placeholder: %1</translation>
    </message>
    <message>
        <source>制作完成：%1</source>
        <translation>Done: %1</translation>
    </message>
    <message>
        <source>已停止：文件只包含前 %1:%2</source>
        <translation>Stopped: the file holds only the first %1:%2</translation>
    </message>
    <message>
        <source>。
是否保留这个未完成的文件?</source>
        <translation>.
Keep this unfinished file?</translation>
    </message>
    <message>
        <source>保留</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>，保存为（可以播放）：%1</source>
        <translation>, saved (playable) as: %1</translation>
    </message>
    <message>
        <source>，文件已删除。</source>
        <translation>; the file is deleted.</translation>
    </message>
    <message>
        <source>已停止制作，没有生成文件。</source>
        <translation>Production stopped; no file was made.</translation>
    </message>
    <message>
        <source>没有开始制作：%1</source>
        <translation>The production did not start: %1</translation>
    </message>
    <message>
        <source>制作失败：%1</source>
        <translation>Production failed: %1</translation>
    </message>
    <message>
        <source>编码器出错</source>
        <translation>encoder error</translation>
    </message>
</context>
<context>
    <name>lumora::ui::ProgressWindow</name>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>lumora::ui::ProjectCommands</name>
    <message>
        <source>相册文件 (*.lumora)</source>
        <translation>Album files (*.lumora)</translation>
    </message>
    <message>
        <source>没有添加照片文件！</source>
        <translation>No photos have been added!</translation>
    </message>
    <message>
        <source>保存相册</source>
        <translation>Save album</translation>
    </message>
    <message>
        <source>相册已经保存！</source>
        <translation>The album is saved!</translation>
    </message>
    <message>
        <source>当前相册有还没有保存的修改,是否先保存相册?</source>
        <translation>The album has unsaved changes. Save the album first?</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>打开相册</source>
        <translation>Open album</translation>
    </message>
    <message>
        <source>
是否仍然打开相册?(找不到的照片、音乐和歌词不再使用)</source>
        <translation>
Open the album anyway? (Photos, music and lyrics that cannot be found are left out.)</translation>
    </message>
    <message>
        <source>恢复相册</source>
        <translation>Recover album</translation>
    </message>
    <message>
        <source>程序上次没有正常退出,是否恢复上次编辑的相册?</source>
        <translation>The program did not end normally last time. Recover the album you were editing?</translation>
    </message>
    <message>
        <source>我的相册</source>
        <translation>My album</translation>
    </message>
</context>
<context>
    <name>lumora::ui::QualityWindow</name>
    <message>
        <source>画面质量</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>制式</source>
        <translation>TV system</translation>
    </message>
    <message>
        <source>PAL 电视制式</source>
        <translation>PAL TV system</translation>
    </message>
    <message>
        <source>NTSC 电视制式</source>
        <translation>NTSC TV system</translation>
    </message>
    <message>
        <source>画质</source>
        <translation>Quality</translation>
    </message>
    <message>
        <source>标清画质效果</source>
        <translation>Standard quality</translation>
    </message>
    <message>
        <source>高清画质效果</source>
        <translation>High quality</translation>
    </message>
    <message>
        <source>超清画质效果 (画面细腻)</source>
        <translation>Super quality (finest picture)</translation>
    </message>
    <message>
        <source>← 推荐</source>
        <translation>← recommended</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
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
<context>
    <name>lumora::ui::StagingWindow</name>
    <message>
        <source>准备相册</source>
        <translation>Preparing the album</translation>
    </message>
    <message>
        <source>正在准备相册的照片和模板，请稍候……</source>
        <translation>Preparing the album&apos;s photos and templates, please wait…</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
</context>
<context>
    <name>lumora::ui::StartupMoviePanel</name>
    <message>
        <source>启动动画未通过校验：%1</source>
        <translation>The start-up animation failed its check: %1</translation>
    </message>
</context>
<context>
    <name>lumora::ui::SyncWindow</name>
    <message>
        <source>同步效果</source>
        <translation>Sync</translation>
    </message>
    <message>
        <source>同步</source>
        <translation>Synchronisation</translation>
    </message>
    <message>
        <source>随模板文件同步  (音乐循环)</source>
        <translation>Follow the templates  (music repeats)</translation>
    </message>
    <message>
        <source>随音乐文件同步  (模板循环)</source>
        <translation>Follow the music  (templates repeat)</translation>
    </message>
    <message>
        <source>随音乐节拍同步  (图片卡点)</source>
        <translation>Follow the beat  (pictures change on beats)</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>lumora::ui::TemplateManagerWindow</name>
    <message>
        <source>模板预览窗口尚未接入</source>
        <translation>The template preview window is not connected yet</translation>
    </message>
    <message>
        <source>模板管理</source>
        <translation>Templates</translation>
    </message>
    <message>
        <source>没有添加照片文件！使用模板管理功能,至少添加一张照片文件！</source>
        <translation>No photos have been added! Add at least one photo to manage templates.</translation>
    </message>
    <message>
        <source>全部模板</source>
        <translation>All templates</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>模板</source>
        <translation>Template</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>横照片</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>竖照片</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>时长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>使用选中模板  ↓</source>
        <translation>Use selected  ↓</translation>
    </message>
    <message>
        <source>预览模板</source>
        <translation>Preview template</translation>
    </message>
    <message>
        <source>已经使用的模板</source>
        <translation>Templates in use</translation>
    </message>
    <message>
        <source>照片匹配</source>
        <translation>Photos</translation>
    </message>
    <message>
        <source>编号</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>全删</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>模板名称</source>
        <translation>Template name</translation>
    </message>
    <message>
        <source>模板类型</source>
        <translation>Template type</translation>
    </message>
    <message>
        <source>模板时长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>模板行数</source>
        <translation>Template row</translation>
    </message>
    <message>
        <source>已添加横照片</source>
        <translation>Landscape added</translation>
    </message>
    <message>
        <source>已添加竖照片</source>
        <translation>Portrait added</translation>
    </message>
    <message>
        <source>单击下面的照片即可拖到上面区域</source>
        <translation>Click a photo below and drag it to the frames above</translation>
    </message>
    <message>
        <source>提示演示效果</source>
        <translation>Show the move</translation>
    </message>
    <message>
        <source>选中模板或使用模板时，模板滑到它的去处</source>
        <translation>When a template is selected or used, it slides to its place</translation>
    </message>
    <message>
        <source>返     回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>正在加载照片文件…</source>
        <translation>Loading the photos…</translation>
    </message>
    <message>
        <source>加载照片文件完成！</source>
        <translation>Photos loaded!</translation>
    </message>
    <message>
        <source>第%1张, 照片名称: %2</source>
        <translation>Photo %1: %2</translation>
    </message>
    <message>
        <source>没有添加模板文件！</source>
        <translation>No templates have been added!</translation>
    </message>
    <message>
        <source>没有选中模板文件！</source>
        <translation>No template is selected!</translation>
    </message>
    <message>
        <source>显示照片名称</source>
        <translation>Show photo names</translation>
    </message>
    <message>
        <source>删除模板文件</source>
        <translation>Delete templates</translation>
    </message>
    <message>
        <source>是否确定要删除当前选中已经使用的模板文件?</source>
        <translation>Delete the selected template in use?</translation>
    </message>
    <message>
        <source>是否确定要删除全部已经使用的模板文件?</source>
        <translation>Delete all templates in use?</translation>
    </message>
    <message>
        <source>没有选中已经添加模板文件！选中模板后,模板所需照片框会出现</source>
        <translation>No template in use is selected! Select one and its photo frames appear.</translation>
    </message>
    <message>
        <source>此处需要一张横照片！</source>
        <translation>This frame needs a landscape photo!</translation>
    </message>
    <message>
        <source>此处需要一张竖照片！</source>
        <translation>This frame needs a portrait photo!</translation>
    </message>
    <message>
        <source>此照片框没有尺寸,不能放照片！</source>
        <translation>This photo frame has no size and cannot take a photo!</translation>
    </message>
    <message>
        <source>选中的模板文件,照片与此模板还有 %1 处没有完成匹配！</source>
        <translation>The selected template still has %1 frames without a photo!</translation>
    </message>
    <message>
        <source>没有找到模板文件！</source>
        <translation>No template found!</translation>
    </message>
</context>
<context>
    <name>lumora::ui::TemplateOptionsWindow</name>
    <message>
        <source>模板选项：自动为添加的照片分配模板方式</source>
        <translation>Template options: how templates are given to added photos</translation>
    </message>
    <message>
        <source>模板组合</source>
        <translation>Combination</translation>
    </message>
    <message>
        <source>横照片(张)</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>竖照片(张)</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>照片总数(张)</source>
        <translation>Photos</translation>
    </message>
    <message>
        <source>组合模板名称</source>
        <translation>Combination</translation>
    </message>
    <message>
        <source>需要横照片</source>
        <translation>Landscape needed</translation>
    </message>
    <message>
        <source>需要竖照片</source>
        <translation>Portrait needed</translation>
    </message>
    <message>
        <source>说明：</source>
        <translation>Note:</translation>
    </message>
    <message>
        <source>使用模板组合添加照片   ← 推荐使用</source>
        <translation>Add photos with a template combination   ← recommended</translation>
    </message>
    <message>
        <source>使用随机模板添加照片</source>
        <translation>Add photos with random templates</translation>
    </message>
    <message>
        <source>没有找到组合模板！</source>
        <translation>No template combination found!</translation>
    </message>
    <message>
        <source>没有选中组合模板！</source>
        <translation>No template combination is selected!</translation>
    </message>
    <message>
        <source>%1 张</source>
        <translation>%1</translation>
    </message>
</context>
<context>
    <name>lumora::ui::TemplatePreviewWindow</name>
    <message>
        <source>预览模板</source>
        <translation>Preview template</translation>
    </message>
    <message>
        <source>模板名称</source>
        <translation>Template name</translation>
    </message>
    <message>
        <source>模板类型</source>
        <translation>Template type</translation>
    </message>
    <message>
        <source>横照片</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>竖照片</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>模板时长</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>模板分类</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>照片全屏显示效果</source>
        <translation>Fill the frame</translation>
    </message>
    <message>
        <source>照片适中显示效果</source>
        <translation>Fit in the frame</translation>
    </message>
    <message>
        <source>播放</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
</context>
<context>
    <name>lumora::ui::TextEffectWindow</name>
    <message>
        <source>文字特效</source>
        <translation>Text FX</translation>
    </message>
    <message>
        <source>文字分类:</source>
        <translation>Category:</translation>
    </message>
    <message>
        <source>左右移动选中的文字特效</source>
        <translation>Move the selected text effect left or right</translation>
    </message>
    <message>
        <source>上下移动选中的文字特效</source>
        <translation>Move the selected text effect up or down</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>重置</source>
        <translation>Reset</translation>
    </message>
    <message>
        <source>位置:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <source>在此输入文字（最多两行）</source>
        <translation>Type your words here (two lines at most)</translation>
    </message>
    <message>
        <source>添加自定义文字</source>
        <translation>Add your words</translation>
    </message>
    <message>
        <source>修改自定义文字</source>
        <translation>Change your words</translation>
    </message>
    <message>
        <source>自定义文字:</source>
        <translation>Your words:</translation>
    </message>
    <message>
        <source>文字样式:</source>
        <translation>Style:</translation>
    </message>
</context>
<context>
    <name>lumora::ui::TextPlacementWindow</name>
    <message>
        <source>文字特效自动加入模板中</source>
        <translation>Add text effects to the templates automatically</translation>
    </message>
    <message>
        <source>请选择文字特效分类</source>
        <translation>Choose a text effect category</translation>
    </message>
    <message>
        <source>每个模板文件都添加文字特效</source>
        <translation>Add a text effect to every template</translation>
    </message>
    <message>
        <source>间隔模板文件添加文字特效</source>
        <translation>Add a text effect to every few templates</translation>
    </message>
    <message>
        <source>随机选择模板文件然后添加文字特效</source>
        <translation>Add text effects to templates chosen at random</translation>
    </message>
    <message>
        <source>间隔的模板个数:1 表示第 1、3、5……个模板</source>
        <translation>Templates in between: 1 means templates 1, 3, 5…</translation>
    </message>
    <message>
        <source>删除重叠的文字特效</source>
        <translation>Delete overlapping text effects</translation>
    </message>
    <message>
        <source>加入后，删除与同时显示的其他文字特效位置重叠的文字特效</source>
        <translation>After adding, delete text effects that overlap others shown at the same time</translation>
    </message>
    <message>
        <source>自动加入</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>返回</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>文字特效分类:</source>
        <translation>Text effect category:</translation>
    </message>
    <message>
        <source>个模板</source>
        <translation>templates</translation>
    </message>
    <message>
        <source>
删除了 %1 个重叠的文字特效。</source>
        <translation>
%1 overlapping text effects were deleted.</translation>
    </message>
    <message>
        <source>
没有放上文字特效的标注:
</source>
        <translation>
Marks without a text effect:
</translation>
    </message>
</context>
<context>
    <name>lumora::ui::ThumbnailCache</name>
    <message>
        <source>缩略图尺寸无效：%1</source>
        <translation>Invalid thumbnail size: %1</translation>
    </message>
</context>
</TS>
