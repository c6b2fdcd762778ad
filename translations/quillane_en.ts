<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>Engine</name>
    <message>
        <source>处理完成！</source>
        <comment>ProcessingFinished</comment>
        <translation>Done.</translation>
    </message>
    <message>
        <source>水印添加完成！</source>
        <comment>WatermarkFinished</comment>
        <translation>Watermarks added.</translation>
    </message>
    <message>
        <source>要创建的文件已存在，是否覆盖？</source>
        <comment>OverwriteQuestion</comment>
        <translation>The file already exists. Replace it?</translation>
    </message>
    <message>
        <source>不能新建目录:</source>
        <comment>CannotMakeFolder</comment>
        <translation>Cannot create folder:</translation>
    </message>
    <message>
        <source>请输入缩略图存放目录？</source>
        <comment>ThumbFolderEmpty</comment>
        <translation>Enter a folder for the thumbnails.</translation>
    </message>
    <message>
        <source>缩略图输出路径不存在，是否创建？</source>
        <comment>ThumbFolderMissing</comment>
        <translation>The thumbnail folder does not exist. Create it?</translation>
    </message>
    <message>
        <source>请输入新文件存放目录？</source>
        <comment>NewFileFolderEmpty</comment>
        <translation>Enter a folder for the new files.</translation>
    </message>
    <message>
        <source>新文件输出路径不存在，是否创建？</source>
        <comment>NewFileFolderMissing</comment>
        <translation>The output folder does not exist. Create it?</translation>
    </message>
    <message>
        <source>不能新建目录，请检查输入是否正确！</source>
        <comment>CannotCreateFolder</comment>
        <translation>Cannot create the folder. Check the path you entered.</translation>
    </message>
    <message>
        <source>没有需要创建缩略图的文件！</source>
        <comment>NoThumbFiles</comment>
        <translation>There are no pictures to make thumbnails of.</translation>
    </message>
    <message>
        <source>请正确设置缩略图创建规则！</source>
        <comment>BadThumbRule</comment>
        <translation>Enter a valid thumbnail size.</translation>
    </message>
    <message>
        <source>创建缩略图成功！</source>
        <comment>ThumbSucceeded</comment>
        <translation>thumbnail created</translation>
    </message>
    <message>
        <source>创建缩略图失败！</source>
        <comment>ThumbFailed</comment>
        <translation>thumbnail failed</translation>
    </message>
    <message>
        <source>请选择创建缩略图的方式！</source>
        <comment>NoSideChosen</comment>
        <translation>Choose whether to fit the width or the height.</translation>
    </message>
    <message>
        <source>创建缩略图成功。</source>
        <comment>SideSucceeded</comment>
        <translation>thumbnail created</translation>
    </message>
    <message>
        <source>没有创建缩略图。</source>
        <comment>SideNotCreated</comment>
        <translation>no thumbnail created</translation>
    </message>
    <message>
        <source>没有需要重命名的文件！</source>
        <comment>NoFilesToRename</comment>
        <translation>There are no files to rename.</translation>
    </message>
    <message>
        <source>重命名成功！</source>
        <comment>Renamed</comment>
        <translation>renamed</translation>
    </message>
    <message>
        <source>重命名失败！</source>
        <comment>NotRenamed</comment>
        <translation>rename failed</translation>
    </message>
    <message>
        <source>没有需要进行类型转换的文件！</source>
        <comment>NoFilesToConvert</comment>
        <translation>There are no pictures to convert.</translation>
    </message>
    <message>
        <source>请选择新文件类型？</source>
        <comment>NoTargetType</comment>
        <translation>Choose the new file type.</translation>
    </message>
    <message>
        <source>类型转换成功！</source>
        <comment>Converted</comment>
        <translation>converted</translation>
    </message>
    <message>
        <source>没有进行类型转换！</source>
        <comment>NotConverted</comment>
        <translation>not converted</translation>
    </message>
    <message>
        <source>没有需要进行剪裁的文件！</source>
        <comment>NoFilesToCrop</comment>
        <translation>There are no pictures to crop.</translation>
    </message>
    <message>
        <source>剪裁完成！</source>
        <comment>Cropped</comment>
        <translation>cropped</translation>
    </message>
    <message>
        <source>剪裁失败！</source>
        <comment>NotCropped</comment>
        <translation>crop failed</translation>
    </message>
    <message>
        <source>没有需要进行处理的文件！</source>
        <comment>NoFilesToStamp</comment>
        <translation>There are no pictures to watermark.</translation>
    </message>
    <message>
        <source>请正确输入水印标签不透明度(100%为完全不透明)？</source>
        <comment>BadOpacity</comment>
        <translation>Enter a valid watermark opacity (100% is fully opaque).</translation>
    </message>
    <message>
        <source>请输入水印标签不透明度(100%为完全不透明)？</source>
        <comment>OpacityOutOfRange</comment>
        <translation>Enter a watermark opacity from 1 to 100% (100% is fully opaque).</translation>
    </message>
    <message>
        <source>请输入水印标签位置！</source>
        <comment>NoPosition</comment>
        <translation>Enter the watermark position.</translation>
    </message>
    <message>
        <source>请输入水印标签？</source>
        <comment>NoMarkText</comment>
        <translation>Enter the watermark text.</translation>
    </message>
    <message>
        <source>请输入水印标签图片文件？</source>
        <comment>NoMarkPicture</comment>
        <translation>Choose the watermark picture.</translation>
    </message>
    <message>
        <source>增加水印标签完成！</source>
        <comment>Stamped</comment>
        <translation>watermark added</translation>
    </message>
    <message>
        <source>增加水印标签失败！</source>
        <comment>NotStamped</comment>
        <translation>watermark failed</translation>
    </message>
    <message>
        <source>已停止：已处理 %1 个文件，列表中还有 %2 项未处理。</source>
        <comment>StoppedRun</comment>
        <translation>Stopped: %1 files processed, %2 items of the list not reached.</translation>
    </message>
    <message>
        <source>文件已损坏，无法解码</source>
        <comment>reason.Damaged</comment>
        <translation>The file is damaged and cannot be decoded</translation>
    </message>
    <message>
        <source>不是支持的图片格式</source>
        <comment>reason.Unsupported</comment>
        <translation>Not a supported picture format</translation>
    </message>
    <message>
        <source>图片过大（超过 16384 × 16384 像素）</source>
        <comment>reason.TooLarge</comment>
        <translation>Picture too large (over 16384 × 16384 pixels)</translation>
    </message>
    <message>
        <source>目标文件已存在，未覆盖</source>
        <comment>reason.TargetExists</comment>
        <translation>The target file exists and was not replaced</translation>
    </message>
    <message>
        <source>无法写入目标文件</source>
        <comment>reason.CannotWrite</comment>
        <translation>Cannot write the target file</translation>
    </message>
    <message>
        <source>内存不足</source>
        <comment>reason.OutOfMemory</comment>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>水印不在图片范围内</source>
        <comment>reason.MarkOutside</comment>
        <translation>The watermark lies outside the picture</translation>
    </message>
    <message>
        <source>图片宽度小于最小宽度</source>
        <comment>reason.TooNarrow</comment>
        <translation>Picture narrower than the minimum width</translation>
    </message>
    <message>
        <source>无法读取水印图片</source>
        <comment>reason.WatermarkUnreadable</comment>
        <translation>Cannot read the watermark picture</translation>
    </message>
    <message>
        <source>无法读取源文件</source>
        <comment>reason.SourceUnreadable</comment>
        <translation>Cannot read the source file</translation>
    </message>
    <message>
        <source>源文件不存在</source>
        <comment>reason.SourceMissing</comment>
        <translation>The source file does not exist</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <comment>reason.NotRegularFile</comment>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>缩略图尺寸无效</source>
        <comment>reason.BadSize</comment>
        <translation>Invalid thumbnail size</translation>
    </message>
    <message>
        <source>图片小于指定尺寸，已原样复制</source>
        <comment>reason.SmallerThanSize</comment>
        <translation>Picture smaller than the size asked for; copied unchanged</translation>
    </message>
    <message>
        <source>不支持的目标格式</source>
        <comment>reason.UnknownFormat</comment>
        <translation>Unsupported target format</translation>
    </message>
    <message>
        <source>无法编码为目标格式</source>
        <comment>reason.CannotEncode</comment>
        <translation>Cannot encode to the target format</translation>
    </message>
    <message>
        <source>无法绘制图片</source>
        <comment>reason.CannotDraw</comment>
        <translation>Cannot draw the picture</translation>
    </message>
    <message>
        <source>无法绘制水印文字</source>
        <comment>reason.TextNotDrawn</comment>
        <translation>Cannot draw the watermark text</translation>
    </message>
    <message>
        <source>新文件名无效</source>
        <comment>reason.BadName</comment>
        <translation>Invalid new file name</translation>
    </message>
    <message>
        <source>无法重命名</source>
        <comment>reason.CannotRename</comment>
        <translation>Cannot rename</translation>
    </message>
    <message>
        <source>发生意外错误</source>
        <comment>reason.Unexpected</comment>
        <translation>An unexpected error occurred</translation>
    </message>
    <message>
        <source>没有可以撤销的操作。</source>
        <comment>NothingToUndo</comment>
        <translation>There is nothing to undo.</translation>
    </message>
    <message>
        <source>已撤销</source>
        <comment>AlreadyUndone</comment>
        <translation>undone</translation>
    </message>
    <message>
        <source>撤销成功！</source>
        <comment>UndoneLine</comment>
        <translation>restored</translation>
    </message>
    <message>
        <source>撤销上次操作</source>
        <comment>UndoMenu</comment>
        <translation>Undo Last Run</translation>
    </message>
    <message>
        <source>撤销完成：已恢复 %1 个文件，跳过 %2 个。</source>
        <comment>UndoSummary</comment>
        <translation>Undo finished: %1 files restored, %2 skipped.</translation>
    </message>
    <message>
        <source>撤销%1：%2，%3 个文件</source>
        <comment>UndoCaption</comment>
        <translation>Undo %1 in %2 (%3 files)</translation>
    </message>
    <message>
        <source>重命名</source>
        <comment>UndoJob.Rename</comment>
        <translation>Rename</translation>
    </message>
    <message>
        <source>类型转换</source>
        <comment>UndoJob.Convert</comment>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>剪裁</source>
        <comment>UndoJob.Crop</comment>
        <translation>Crop</translation>
    </message>
    <message>
        <source>水印</source>
        <comment>UndoJob.Watermark</comment>
        <translation>Watermark</translation>
    </message>
    <message>
        <source>缩略图</source>
        <comment>UndoJob.Thumbnails</comment>
        <translation>Thumbnails</translation>
    </message>
    <message>
        <source>无法将原文件放入回收站</source>
        <comment>reason.CannotTrash</comment>
        <translation>Cannot move the original file to the Trash</translation>
    </message>
    <message>
        <source>回收站中已没有原文件</source>
        <comment>reason.NotInTrash</comment>
        <translation>The original file is no longer in the Trash</translation>
    </message>
    <message>
        <source>文件在这次处理之后已被改动</source>
        <comment>reason.ChangedSince</comment>
        <translation>The file has changed since that run</translation>
    </message>
    <message>
        <source>图片没有记录拍摄时间，使用了文件修改时间</source>
        <comment>reason.DateFromFileTime</comment>
        <translation>The picture records no capture time; the file's time was used</translation>
    </message>
</context>
</TS>
