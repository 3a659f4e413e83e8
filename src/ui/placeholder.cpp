// The windows arrive with the window issues; the library exists so apps can link it.
namespace lumora::ui { int placeholder() { return 0; } }
