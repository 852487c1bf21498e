#pragma once

class MemoryImage;
class QString;

// Why an image must not go to a radio unless the user says it may: the radio reports another
// model or band than the image's ("机型：文件 A，对讲机 B"), the reasons joined. Empty when they
// agree.
QString RadioMismatch(const MemoryImage& image, const MemoryImage& radio);
