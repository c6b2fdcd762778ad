<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Window</name>
    <message>
        <source> 字节</source>
        <translation> bytes</translation>
    </message>
    <message>
        <source> 源文件指定：</source>
        <translation> Source: </translation>
    </message>
    <message>
        <source> 重命名规则 </source>
        <translation> Rename rule </translation>
    </message>
    <message>
        <source>-剪切图形成规则-</source>
        <translation>-Crop rule-</translation>
    </message>
    <message>
        <source>-指量类型转换规则-</source>
        <translation>-Conversion rule-</translation>
    </message>
    <message>
        <source>-水印标签设置规则-</source>
        <translation>-Watermark rule-</translation>
    </message>
    <message>
        <source>-缩略图形成规则-</source>
        <translation>-Thumbnail rule-</translation>
    </message>
    <message>
        <source>Bmp位图文件(*.bmp)</source>
        <translation>BMP bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>GIF格式文件(*.gif)</source>
        <translation>GIF image (*.gif)</translation>
    </message>
    <message>
        <source>JPG格式文件(*.jpg)</source>
        <translation>JPEG image (*.jpg)</translation>
    </message>
    <message>
        <source>PNG格式文件(*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>TIF格式文件(*.tif)</source>
        <translation>TIFF image (*.tif)</translation>
    </message>
    <message>
        <source>Y值：</source>
        <translation>Y:</translation>
    </message>
    <message>
        <source>
位置：</source>
        <translation>
Location: </translation>
    </message>
    <message>
        <source>
修改日期：</source>
        <translation>
Modified: </translation>
    </message>
    <message>
        <source>
大小：</source>
        <translation>
Size: </translation>
    </message>
    <message>
        <source>
权限：</source>
        <translation>
Permissions: </translation>
    </message>
    <message>
        <source>不再提示</source>
        <translation>Don&apos;t ask again</translation>
    </message>
    <message>
        <source>不能重命名文件：</source>
        <translation>Cannot rename the file: </translation>
    </message>
    <message>
        <source>不透明度%   </source>
        <translation>Opacity %   </translation>
    </message>
    <message>
        <source>严格按宽高像素创建缩略图</source>
        <translation>Exact width and height</translation>
    </message>
    <message>
        <source>保持原图宽高比例不变             </source>
        <translation>Keep the aspect ratio             </translation>
    </message>
    <message>
        <source>修改日期</source>
        <translation>Modified</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>像素</source>
        <translation>pixels</translation>
    </message>
    <message>
        <source>像素时不处理跳过</source>
        <translation>pixels: skip it</translation>
    </message>
    <message>
        <source>关于...</source>
        <translation>About...</translation>
    </message>
    <message>
        <source>创建剪切图(&amp;C)</source>
        <translation>&amp;Crop</translation>
    </message>
    <message>
        <source>创建水印标签(&amp;C)</source>
        <translation>&amp;Add</translation>
    </message>
    <message>
        <source>创建缩略图(&amp;C)</source>
        <translation>&amp;Create</translation>
    </message>
    <message>
        <source>前缀</source>
        <translation>Prefix</translation>
    </message>
    <message>
        <source>剪切图存放路径：   </source>
        <translation>Cropped pictures folder:   </translation>
    </message>
    <message>
        <source>剪裁左起点：</source>
        <translation>Left:</translation>
    </message>
    <message>
        <source>剪裁顶起点：</source>
        <translation>Top:</translation>
    </message>
    <message>
        <source>包含子目录中图片</source>
        <translation>Include subfolders</translation>
    </message>
    <message>
        <source>升级信息</source>
        <translation>What&apos;s New</translation>
    </message>
    <message>
        <source>取消(&amp;C)</source>
        <translation>&amp;Cancel</translation>
    </message>
    <message>
        <source>右底点</source>
        <translation>Bottom right</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>名称：</source>
        <translation>Name: </translation>
    </message>
    <message>
        <source>后缀</source>
        <translation>Suffix</translation>
    </message>
    <message>
        <source>否</source>
        <translation>No</translation>
    </message>
    <message>
        <source>图例</source>
        <translation>Example</translation>
    </message>
    <message>
        <source>图片宽度小于：</source>
        <translation>Skip pictures narrower than:</translation>
    </message>
    <message>
        <source>图片水印</source>
        <translation>Picture watermark</translation>
    </message>
    <message>
        <source>在原文件名后增加   </source>
        <translation>Add to the file name   </translation>
    </message>
    <message>
        <source>增加随机产生三位字符</source>
        <translation>Add three random characters</translation>
    </message>
    <message>
        <source>大小</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>实际大小查看(&amp;T)</source>
        <translation>Ac&amp;tual Size</translation>
    </message>
    <message>
        <source>宽</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>宽高强制约束</source>
        <translation>Lock width and height</translation>
    </message>
    <message>
        <source>宽％ </source>
        <translation>Width % </translation>
    </message>
    <message>
        <source>属性(&amp;R)</source>
        <translation>P&amp;roperties</translation>
    </message>
    <message>
        <source>左顶点</source>
        <translation>Top left</translation>
    </message>
    <message>
        <source>已有同名文件：</source>
        <translation>A file with this name already exists: </translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>当前路径(&amp;C)</source>
        <translation>&amp;Current Folder</translation>
    </message>
    <message>
        <source>当源文件宽度已经小于缩略目标值时则不作处理</source>
        <translation>Leave pictures already narrower than the width</translation>
    </message>
    <message>
        <source>当源文件高度已经小于缩略目标值时则不作处理</source>
        <translation>Leave pictures already shorter than the height</translation>
    </message>
    <message>
        <source>快速创建</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>打开(&amp;O)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>执行结果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>批量剪裁</source>
        <translation>Crop</translation>
    </message>
    <message>
        <source>批量类型转换</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>批量设置水印标签</source>
        <translation>Watermark</translation>
    </message>
    <message>
        <source>批量重命名</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>技术支持：</source>
        <translation>Support: </translation>
    </message>
    <message>
        <source>按宽和高像素生成缩略图</source>
        <translation>Thumbnails by Size</translation>
    </message>
    <message>
        <source>按宽或高像素生成缩略图</source>
        <translation>Thumbnails by Width or Height</translation>
    </message>
    <message>
        <source>按宽高创建缩略图时保持原图比例（自动填充）</source>
        <translation>Keep the aspect ratio and fill the rest</translation>
    </message>
    <message>
        <source>按宽高创建缩略图时保持原图比例（自动裁减）</source>
        <translation>Keep the aspect ratio and cut the rest</translation>
    </message>
    <message>
        <source>按百分比生成缩略图</source>
        <translation>Thumbnails by Percentage</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>文件夹</source>
        <translation>Folder</translation>
    </message>
    <message>
        <source>文件重命名(&amp;R)</source>
        <translation>&amp;Rename Files</translation>
    </message>
    <message>
        <source>文字水印</source>
        <translation>Text watermark</translation>
    </message>
    <message>
        <source>新图存放路径：   </source>
        <translation>New pictures folder:   </translation>
    </message>
    <message>
        <source>新图宽：</source>
        <translation>New width:</translation>
    </message>
    <message>
        <source>新图高：</source>
        <translation>New height:</translation>
    </message>
    <message>
        <source>新文件名前缀：</source>
        <translation>New name prefix:</translation>
    </message>
    <message>
        <source>新文件存放路径：   </source>
        <translation>New files folder:   </translation>
    </message>
    <message>
        <source>新文件类型：</source>
        <translation>New file type:</translation>
    </message>
    <message>
        <source>无效的文件名：</source>
        <translation>Invalid file name: </translation>
    </message>
    <message>
        <source>是</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>更多好工具！</source>
        <translation>More good tools!</translation>
    </message>
    <message>
        <source>标签X值：</source>
        <translation>X:</translation>
    </message>
    <message>
        <source>标签字体：</source>
        <translation>Font:</translation>
    </message>
    <message>
        <source>橄榄色</source>
        <translation>Olive</translation>
    </message>
    <message>
        <source>水印</source>
        <translation>Mark</translation>
    </message>
    <message>
        <source>水印图片：</source>
        <translation>Watermark picture:</translation>
    </message>
    <message>
        <source>水印标签：</source>
        <translation>Watermark text:</translation>
    </message>
    <message>
        <source>水绿色</source>
        <translation>Aqua</translation>
    </message>
    <message>
        <source>深蓝色</source>
        <translation>Navy</translation>
    </message>
    <message>
        <source>深青色</source>
        <translation>Teal</translation>
    </message>
    <message>
        <source>灰色</source>
        <translation>Grey</translation>
    </message>
    <message>
        <source>白色</source>
        <translation>White</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>确定(&amp;O)</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>类型转换(&amp;R)</source>
        <translation>Conve&amp;rt</translation>
    </message>
    <message>
        <source>紫红色</source>
        <translation>Fuchsia</translation>
    </message>
    <message>
        <source>紫色</source>
        <translation>Purple</translation>
    </message>
    <message>
        <source>红色</source>
        <translation>Red</translation>
    </message>
    <message>
        <source>绿色</source>
        <translation>Green</translation>
    </message>
    <message>
        <source>缩略图存放路径：   </source>
        <translation>Thumbnails folder:   </translation>
    </message>
    <message>
        <source>缩略图宽：</source>
        <translation>Thumbnail width:</translation>
    </message>
    <message>
        <source>缩略图高：</source>
        <translation>Thumbnail height:</translation>
    </message>
    <message>
        <source>缩略预览(&amp;S)</source>
        <translation>&amp;Stretched Preview</translation>
    </message>
    <message>
        <source>自动增加数字序号1、2、3...</source>
        <translation>Add a number: 1, 2, 3...</translation>
    </message>
    <message>
        <source>蓝色</source>
        <translation>Blue</translation>
    </message>
    <message>
        <source>褐红色</source>
        <translation>Maroon</translation>
    </message>
    <message>
        <source>请选择填充背景色</source>
        <translation>Choose the fill colour</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>选择目录(&amp;B)</source>
        <translation>&amp;Browse...</translation>
    </message>
    <message>
        <source>选择目录：</source>
        <translation>Choose a folder:</translation>
    </message>
    <message>
        <source>酸橙色</source>
        <translation>Lime</translation>
    </message>
    <message>
        <source>重命名(&amp;M)</source>
        <translation>Rena&amp;me</translation>
    </message>
    <message>
        <source>银色</source>
        <translation>Silver</translation>
    </message>
    <message>
        <source>颜色(&amp;C)：</source>
        <translation>&amp;Colour:</translation>
    </message>
    <message>
        <source>高</source>
        <translation>Height</translation>
    </message>
    <message>
        <source>高质量创建</source>
        <translation>High quality</translation>
    </message>
    <message>
        <source>高％ </source>
        <translation>Height % </translation>
    </message>
    <message>
        <source>黄色</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <source>黑色</source>
        <translation>Black</translation>
    </message>
    <message>
        <source>（单位：像素）</source>
        <translation>(in pixels)</translation>
    </message>
    <message>
        <source>：</source>
        <translation>:</translation>
    </message>
    <message>
        <source>没有写出图片</source>
        <translation>No picture written</translation>
    </message>
    <message>
        <source>请在文件列表中选择一张图片</source>
        <translation>Select a picture in the file list</translation>
    </message>
    <message>
        <source>批量重命名只改变文件名，图片不变</source>
        <translation>Renaming changes only the file names; the pictures stay as they are</translation>
    </message>
    <message>
        <source>打开输出文件夹</source>
        <translation>Open Output Folder</translation>
    </message>
    <message>
        <source>%1 × %2 像素，%3 字节</source>
        <translation>%1 × %2 pixels, %3 bytes</translation>
    </message>
    <message>
        <source>（更新中…）</source>
        <translation>(updating…)</translation>
    </message>
    <message>
        <source>在文件管理器中显示</source>
        <translation>Show in File Manager</translation>
    </message>
    <message>
        <source>效果预览(&amp;E)</source>
        <translation>&amp;Effect Preview</translation>
    </message>
    <message>
        <source>不补零</source>
        <translation>No padding</translation>
    </message>
    <message>
        <source>序号位数：</source>
        <translation>Number digits:</translation>
    </message>
    <message>
        <source>{n} 序号，{date:%Y%m%d} 拍摄日期</source>
        <translation>{n} number, {date:%Y%m%d} capture date</translation>
    </message>
    <message>
        <source>命名模式（代替前缀和序号）：</source>
        <translation>Name pattern (instead of prefix and number):</translation>
    </message>
    <message>
        <source>输出设置…</source>
        <translation>Output Settings…</translation>
    </message>
    <message>
        <source>输出设置</source>
        <translation>Output Settings</translation>
    </message>
    <message>
        <source>JPEG 质量：</source>
        <translation>JPEG quality:</translation>
    </message>
    <message>
        <source>WebP 质量：</source>
        <translation>WebP quality:</translation>
    </message>
    <message>
        <source>AVIF 质量：</source>
        <translation>AVIF quality:</translation>
    </message>
    <message>
        <source>HEIC 质量：</source>
        <translation>HEIC quality:</translation>
    </message>
    <message>
        <source>JPEG XL 质量：</source>
        <translation>JPEG XL quality:</translation>
    </message>
    <message>
        <source>WebP 和 JPEG XL 无损压缩</source>
        <translation>Lossless WebP and JPEG XL</translation>
    </message>
    <message>
        <source>PNG 压缩级别：</source>
        <translation>PNG compression level:</translation>
    </message>
    <message>
        <source>AVIF 编码力度：</source>
        <translation>AVIF effort:</translation>
    </message>
    <message>
        <source>每高一级约慢一倍</source>
        <translation>each step about twice as slow</translation>
    </message>
    <message>
        <source>HEIC 编码力度：</source>
        <translation>HEIC effort:</translation>
    </message>
    <message>
        <source>本机的 HEVC 编码器忽略此项</source>
        <translation>ignored by this system&apos;s HEVC encoder</translation>
    </message>
    <message>
        <source>JPEG XL 编码力度：</source>
        <translation>JPEG XL effort:</translation>
    </message>
    <message>
        <source>0 至 2 按 3 处理</source>
        <translation>0 to 2 count as 3</translation>
    </message>
    <message>
        <source>保留（EXIF、ICC 等）</source>
        <translation>Keep (EXIF, ICC and so on)</translation>
    </message>
    <message>
        <source>全部去除</source>
        <translation>Remove all</translation>
    </message>
    <message>
        <source>只去除位置（GPS）</source>
        <translation>Remove location only (GPS)</translation>
    </message>
    <message>
        <source>元数据：</source>
        <translation>Metadata:</translation>
    </message>
    <message>
        <source>保留源文件的修改时间</source>
        <translation>Keep the source&apos;s modification time</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>WebP格式文件(*.webp)</source>
        <translation>WebP image (*.webp)</translation>
    </message>
    <message>
        <source>AVIF格式文件(*.avif)</source>
        <translation>AVIF image (*.avif)</translation>
    </message>
    <message>
        <source>HEIC格式文件(*.heic)</source>
        <translation>HEIC image (*.heic)</translation>
    </message>
    <message>
        <source>JPEG XL格式文件(*.jxl)</source>
        <translation>JPEG XL image (*.jxl)</translation>
    </message>
    <message>
        <source>替换的文件也放入回收站</source>
        <translation>Also put replaced files in the Trash</translation>
    </message>
</context>
</TS>
