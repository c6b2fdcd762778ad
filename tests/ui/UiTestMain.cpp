#include "UiTestSupport.h"

#include "imaging/GraphicsLibrary.h"

#include <QApplication>
#include <QTest>

#include <cstdio>
#include <cstring>
#include <map>

namespace quillane {

namespace {

std::map<std::string, TUiTestFactory>& Registry()
{
    static std::map<std::string, TUiTestFactory> registry;
    return registry;
}

}  // namespace

bool RegisterUiTest(const char* name, TUiTestFactory factory)
{
    Registry().emplace(name, std::move(factory));
    return true;
}

}  // namespace quillane

// ui_tests [CLASS [Qt Test options...]]
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    quillane::TGraphicsSession graphics(argv[0]);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillane"));

    const bool oneClass = argc > 1 && argv[1][0] != '-';
    int failures = 0;
    bool found = !oneClass;
    for (const auto& [name, factory] : quillane::Registry()) {
        if (oneClass && name != argv[1])
            continue;
        found = true;
        std::unique_ptr<QObject> test = factory();
        std::vector<char*> args{argv[0]};
        for (int i = oneClass ? 2 : 1; i < argc; ++i)
            args.push_back(argv[i]);
        failures += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    if (!found) {
        std::fprintf(stderr, "ui_tests: no test class %s\n", argv[1]);
        return 2;
    }
    return failures == 0 ? 0 : 1;
}
