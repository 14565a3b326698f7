// Linked with every object of one layer's library and nothing above it: the
// link fails when the layer calls into a layer above it.
int main()
{
    return 0;
}
