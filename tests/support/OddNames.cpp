#include "OddNames.h"

#include <sys/stat.h>

#include <stdexcept>

#include "TestPictures.h"

namespace quillane::test {

namespace fs = std::filesystem;

namespace {

void Picture(const fs::path& path)
{
    MakePicture(path, 40, 30, {10, 120, 240}, "");
}

void Fifo(const fs::path& path)
{
    if (::mkfifo(path.c_str(), 0644) != 0)
        throw std::runtime_error("cannot make a FIFO at " + path.string());
}

}  // namespace

std::vector<std::string> OddUnlistedNames()
{
    return {"pipe.jpg", ".hidden.jpg"};
}

TOddFolder MakeOddFolder(const fs::path& folder)
{
    TOddFolder odd;
    fs::create_directories(folder / "album.jpg");
    const std::vector<std::string> good{"照片 一.jpg",
                                        "my photo.png",
                                        "a.b.c.gif",
                                        "UPPER.JPG",
                                        "frame[1].jpg",
                                        "x].png",
                                        "it's \"q\" $(touch x) `id` ;&|<>*?.jpg",
                                        "\xd5\xd5\xc6\xac.jpg" /* GBK, not UTF-8 */};
    for (const std::string& name : good) {
        Picture(folder / name);
        odd.Files.push_back({name, true});
    }
    // No dot: the type test passes ("JPEG"), but the target has no extension to
    // choose an encoder by.
    MakePicture(folder / "photojpeg", 40, 30, {10, 120, 240}, "jpeg");
    odd.Files.push_back({"photojpeg", false});
    // 255 bytes, the most a name may have: its thumbnail's name would be longer.
    const std::string longest = std::string(251, 'n') + ".jpg";
    Picture(folder / longest);
    odd.Files.push_back({longest, false});
    fs::create_symlink("nowhere.jpg", folder / "gone.jpg");
    odd.Files.push_back({"gone.jpg", false});
    Picture(folder / ".hidden.jpg");
    Fifo(folder / "pipe.jpg");

    Picture(folder / "album.jpg" / "inner.png");
    Picture(folder / "album.jpg" / ".hidden.png");  // a walk takes hidden files
    Fifo(folder / "album.jpg" / "pipe.gif");
    fs::create_symlink("nowhere.png", folder / "album.jpg" / "gone.png");
    fs::create_directory_symlink("../album.jpg", folder / "album.jpg" / "again");
    odd.WalkedFiles = {{"album.jpg/inner.png", true}, {"album.jpg/.hidden.png", true}, {"album.jpg/gone.png", false}};
    return odd;
}

}  // namespace quillane::test
