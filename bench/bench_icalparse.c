/* The peer of `zettelwerk ics-parse` and `import`: libical reads a whole .ics file into its
   component tree, as a calendar program does, and prints how many events it holds. */
#include <libical/ical.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: bench_icalparse FILE.ics\n");
        return 2;
    }
    FILE* file = fopen(argv[1], "rb");
    if (!file || fseek(file, 0, SEEK_END) != 0)
        return 1;
    const long size = ftell(file);
    char* text = malloc((size_t)size + 1);
    rewind(file);
    if (size < 0 || !text || fread(text, 1, (size_t)size, file) != (size_t)size)
        return 1;
    fclose(file);
    text[size] = '\0';
    icalcomponent* calendar = icalparser_parse_string(text);
    free(text);
    if (!calendar)
        return 1;
    printf("%d\n", icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT));
    icalcomponent_free(calendar);
    return 0;
}
