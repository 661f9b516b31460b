select * from RegMslGood where RegMsl_id=:id1 and electro_id=:id2
